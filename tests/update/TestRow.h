#pragma once

#include <cstdio>
#include <ostream>
#include <string_view>

namespace tessaro::testing {

// A table row as readable text in failure messages: control and non-ASCII
// bytes appear as \xNN.
inline void PrintRow(std::string_view row, std::ostream* out) {
    *out << '"';
    for (const char c : row) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F) {
            *out << c;
            continue;
        }
        char escaped[5];
        std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
        *out << escaped;
    }
    *out << '"';
}

}  // namespace tessaro::testing
