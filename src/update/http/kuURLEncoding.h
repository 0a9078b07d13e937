#pragma once

#include <string>
#include <string_view>

namespace tessaro {

// %XX (upper-case hex) for bytes below 0x20, from 0x80 on, and for space, "#",
// "%", "*", "+", "<" and ">"; every other byte stays, so "/", "?", "=", "&" and
// ":" keep their meaning in a query.
std::string URLEncode(std::string_view s);

// "+" becomes a space; "%" with up to two following characters becomes the byte
// they give in hex. An escape of value 0 or one that is not hex adds nothing,
// but its characters are consumed all the same. Never fails.
std::string URLDecode(std::string_view s);

}  // namespace tessaro
