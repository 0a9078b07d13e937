#include "update/sign/kuMinisignSignature.h"

#include <vector>

#include "update/sign/kuMinisignText.h"

namespace tessaro {
namespace {

constexpr std::string_view kUntrustedPrefix = "untrusted comment: ";
constexpr std::string_view kTrustedPrefix = "trusted comment: ";
constexpr std::size_t kSignatureSize = 2 + 8 + 64;
constexpr std::size_t kGlobalSignatureSize = 64;

std::optional<TkuSignatureAlgorithm> AlgorithmOf(std::uint8_t first, std::uint8_t second) {
    if (first != 'E') return std::nullopt;
    if (second == 'd') return TkuSignatureAlgorithm::Legacy;
    if (second == 'D') return TkuSignatureAlgorithm::Prehashed;
    return std::nullopt;
}

}  // namespace

std::optional<TkuMinisignSignature> ParseMinisignSignature(std::string_view text) {
    const std::vector<std::string_view> lines = MinisignLines(text);
    if (lines.size() != 4 || !lines[0].starts_with(kUntrustedPrefix) ||
        !lines[2].starts_with(kTrustedPrefix))
        return std::nullopt;
    const auto signature = DecodeMinisignBase64(lines[1], kSignatureSize);
    const auto global = DecodeMinisignBase64(lines[3], kGlobalSignatureSize);
    if (!signature || !global) return std::nullopt;
    const auto algorithm = AlgorithmOf((*signature)[0], (*signature)[1]);
    if (!algorithm) return std::nullopt;
    TkuMinisignSignature parsed;
    parsed.UntrustedComment = std::string(lines[0].substr(kUntrustedPrefix.size()));
    parsed.Algorithm = *algorithm;
    parsed.KeyId = MinisignField<8>(*signature, 2);
    parsed.Signature = MinisignField<64>(*signature, 10);
    parsed.TrustedComment = std::string(lines[2].substr(kTrustedPrefix.size()));
    parsed.GlobalSignature = MinisignField<64>(*global, 0);
    return parsed;
}

}  // namespace tessaro
