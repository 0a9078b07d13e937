#include "update/http/kuURLEncoding.h"

namespace tessaro {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";
constexpr std::string_view kEscapedCharacters = " #%*+<>";

bool NeedsEscape(unsigned char byte) {
    return byte < 0x20 || byte >= 0x80 ||
           kEscapedCharacters.find(static_cast<char>(byte)) != std::string_view::npos;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The value of one or two hex digits; -1 when any is not a hex digit.
int HexNumber(std::string_view digits) {
    if (digits.empty()) return -1;
    int value = 0;
    for (char c : digits) {
        const int digit = HexValue(c);
        if (digit < 0) return -1;
        value = value * 16 + digit;
    }
    return value;
}

}  // namespace

std::string URLEncode(std::string_view s) {
    std::string encoded;
    encoded.reserve(s.size() + s.size() / 2);
    for (const char c : s) {
        const auto byte = static_cast<unsigned char>(c);
        if (!NeedsEscape(byte)) {
            encoded += c;
            continue;
        }
        const char escape[] = {'%', kHexDigits[byte >> 4], kHexDigits[byte & 15]};
        encoded.append(escape, sizeof escape);
    }
    return encoded;
}

std::string URLDecode(std::string_view s) {
    std::string decoded;
    decoded.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '+') {
            decoded += ' ';
        } else if (s[i] != '%') {
            decoded += s[i];
        } else {
            const std::string_view digits = s.substr(i + 1, 2);
            const int value = HexNumber(digits);
            if (value > 0) decoded += static_cast<char>(value);
            i += digits.size();
        }
    }
    return decoded;
}

}  // namespace tessaro
