#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

namespace tessaro {

// One argument of a formatted message.
using TkuFormatArg = std::variant<std::string, std::int64_t, double>;

// Fills a message's specifiers in order: "%s" text, "%d" integer, "%.Nd" an
// integer of at least N digits, "%.Nf" a real with N decimals, "%%" a percent
// sign. A number given for "%s" is written as the number; a real for "%d" is
// truncated. A specifier without an argument, or one not listed here, stays as
// it is, so a translated text can never read past its arguments.
std::string FormatText(std::string_view format, std::initializer_list<TkuFormatArg> args);

}  // namespace tessaro
