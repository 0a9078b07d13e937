#include "update/utils/kuBase64.h"

#include <cstdint>

namespace tessaro {
namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr std::size_t kGroupsPerLine = 20;

std::size_t EncodedLength(std::size_t inputLength) {
    const std::size_t groups = (inputLength + 2) / 3;
    return 4 * groups + 2 * (groups / kGroupsPerLine);
}

char* EncodeGroup(const unsigned char* in, std::size_t count, char* out) {
    const std::uint32_t bits = (std::uint32_t{in[0]} << 16) |
                               (count > 1 ? std::uint32_t{in[1]} << 8 : 0u) |
                               (count > 2 ? std::uint32_t{in[2]} : 0u);
    out[0] = kAlphabet[(bits >> 18) & 63];
    out[1] = kAlphabet[(bits >> 12) & 63];
    out[2] = count > 1 ? kAlphabet[(bits >> 6) & 63] : '=';
    out[3] = count > 2 ? kAlphabet[bits & 63] : '=';
    return out + 4;
}

}  // namespace

std::string Base64Encode(std::string_view s) {
    std::string encoded(EncodedLength(s.size()), '\0');
    const auto* in = reinterpret_cast<const unsigned char*>(s.data());
    char* out = encoded.data();
    std::size_t remaining = s.size();
    std::size_t groupsOnLine = 0;
    while (remaining > 0) {
        const std::size_t count = remaining < 3 ? remaining : 3;
        out = EncodeGroup(in, count, out);
        in += count;
        remaining -= count;
        if (++groupsOnLine == kGroupsPerLine) {
            *out++ = '\r';
            *out++ = '\n';
            groupsOnLine = 0;
        }
    }
    return encoded;
}

}  // namespace tessaro
