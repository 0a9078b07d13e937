#pragma once

#include <string>
#include <string_view>

namespace tessaro::platform {

// The single-byte (or double-byte) code page Windows would use for texts of a
// user with this locale ("ja_JP.UTF-8" -> "CP932"), in iconv's naming. Only
// language and territory count; the locale need not be installed.
std::string AnsiCodePageFor(std::string_view locale);

// The same for this process's user: the first set of LC_ALL, LC_CTYPE, LANG.
std::string SystemAnsiCodePage();

}  // namespace tessaro::platform
