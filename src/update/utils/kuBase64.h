#pragma once

#include <string>
#include <string_view>

namespace tessaro {

// Standard Base64 (RFC 4648 alphabet, "=" padding) with CR LF after every 80
// output characters, also after the last group when it completes a line.
std::string Base64Encode(std::string_view s);

}  // namespace tessaro
