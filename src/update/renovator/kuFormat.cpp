#include "update/renovator/kuFormat.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>

namespace tessaro {
namespace {

struct Specifier {
    std::size_t length = 0;  // 0: not one we fill
    int precision = -1;
    char conversion = 0;
};

Specifier ReadSpecifier(std::string_view rest) {
    // rest starts after "%"
    Specifier specifier;
    std::size_t i = 0;
    if (i < rest.size() && rest[i] == '.') {
        ++i;
        int precision = 0;
        const std::size_t digits = i;
        while (i < rest.size() && std::isdigit(static_cast<unsigned char>(rest[i])) &&
               i < digits + 2)
            precision = precision * 10 + (rest[i++] - '0');
        if (i == digits) return {};
        specifier.precision = precision;
    }
    if (i < rest.size() && (rest[i] == 's' || rest[i] == 'd' || rest[i] == 'f')) {
        specifier.conversion = rest[i];
        specifier.length = i + 2;
    }
    return specifier;
}

std::int64_t AsInteger(const TkuFormatArg& arg) {
    if (const auto* i = std::get_if<std::int64_t>(&arg)) return *i;
    if (const auto* d = std::get_if<double>(&arg)) return static_cast<std::int64_t>(*d);
    return std::strtoll(std::get<std::string>(arg).c_str(), nullptr, 10);
}

double AsReal(const TkuFormatArg& arg) {
    if (const auto* d = std::get_if<double>(&arg)) return *d;
    if (const auto* i = std::get_if<std::int64_t>(&arg)) return static_cast<double>(*i);
    return std::strtod(std::get<std::string>(arg).c_str(), nullptr);
}

template <typename... Values>
std::string Printed(const char* format, Values... values) {
    char buffer[64];
    const int n = std::snprintf(buffer, sizeof buffer, format, values...);
    return n < 0 ? std::string{} : std::string(buffer, static_cast<std::size_t>(n));
}

std::string AsText(const TkuFormatArg& arg) {
    if (const auto* s = std::get_if<std::string>(&arg)) return *s;
    if (const auto* i = std::get_if<std::int64_t>(&arg)) return std::to_string(*i);
    return Printed("%g", std::get<double>(arg));
}

std::string Filled(const Specifier& specifier, const TkuFormatArg& arg) {
    const int precision = specifier.precision < 0 ? (specifier.conversion == 'f' ? 6 : 1) : specifier.precision;
    switch (specifier.conversion) {
        // Zero is written as "0" even at precision 0, unlike printf.
        case 'd':
            return Printed("%.*lld", std::max(precision, 1),
                           static_cast<long long>(AsInteger(arg)));
        case 'f':
            return Printed("%.*f", precision, AsReal(arg));
        default:
            return AsText(arg);
    }
}

}  // namespace

std::string FormatText(std::string_view format, std::initializer_list<TkuFormatArg> args) {
    std::string out;
    auto next = args.begin();
    std::size_t i = 0;
    while (i < format.size()) {
        if (format[i] != '%') {
            out += format[i++];
            continue;
        }
        if (i + 1 < format.size() && format[i + 1] == '%') {
            out += '%';
            i += 2;
            continue;
        }
        const Specifier specifier = ReadSpecifier(format.substr(i + 1));
        if (specifier.length == 0 || next == args.end()) {
            out += format[i++];
            continue;
        }
        out += Filled(specifier, *next++);
        i += specifier.length;
    }
    return out;
}

}  // namespace tessaro
