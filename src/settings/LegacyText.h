#pragma once

#include <string>
#include <string_view>

namespace tessaro {

enum class LegacyCodePage { cp932, windows1252 };

// Strict UTF-8: no overlong forms, surrogates or code points above U+10FFFF.
bool IsValidUtf8(std::string_view bytes);

// Converts text in a Windows code page to UTF-8; a byte sequence the code page
// does not define becomes U+FFFD, so nothing is dropped silently.
std::string DecodeLegacyText(std::string_view bytes, LegacyCodePage codePage);

}  // namespace tessaro
