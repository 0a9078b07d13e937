#include "update/sign/kuMinisignText.h"

#include <sodium.h>

namespace tessaro {

std::vector<std::string_view> MinisignLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (line.ends_with('\r')) line.remove_suffix(1);
        lines.push_back(line);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
    while (!lines.empty() && lines.back().empty()) lines.pop_back();
    return lines;
}

std::optional<std::vector<std::uint8_t>> DecodeMinisignBase64(std::string_view text,
                                                              std::size_t size) {
    // Base64 of `size` bytes is exactly this long; anything else cannot be the field.
    if (text.size() != (size + 2) / 3 * 4) return std::nullopt;
    std::vector<std::uint8_t> bytes(size);
    std::size_t decoded = 0;
    const char* end = nullptr;
    if (sodium_base642bin(bytes.data(), bytes.size(), text.data(), text.size(), nullptr, &decoded,
                          &end, sodium_base64_VARIANT_ORIGINAL) != 0 ||
        decoded != size || end != text.data() + text.size())
        return std::nullopt;
    return bytes;
}

}  // namespace tessaro
