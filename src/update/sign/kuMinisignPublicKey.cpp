#include "update/sign/kuMinisignPublicKey.h"

#include "update/sign/kuMinisignText.h"

namespace tessaro {
namespace {

constexpr std::string_view kCommentPrefix = "untrusted comment: ";
constexpr std::size_t kKeySize = 2 + 8 + 32;

std::optional<std::string_view> KeyLineOf(std::string_view text) {
    const std::vector<std::string_view> lines = MinisignLines(text);
    if (lines.size() == 1) return lines[0];
    if (lines.size() == 2 && lines[0].starts_with(kCommentPrefix)) return lines[1];
    return std::nullopt;
}

}  // namespace

std::optional<TkuMinisignPublicKey> ParseMinisignPublicKey(std::string_view keyLine) {
    const std::optional<std::string_view> line = KeyLineOf(keyLine);
    if (!line) return std::nullopt;
    const auto bytes = DecodeMinisignBase64(*line, kKeySize);
    if (!bytes || (*bytes)[0] != 'E' || (*bytes)[1] != 'd') return std::nullopt;
    TkuMinisignPublicKey key;
    key.KeyId = MinisignField<8>(*bytes, 2);
    key.Key = MinisignField<32>(*bytes, 10);
    return key;
}

}  // namespace tessaro
