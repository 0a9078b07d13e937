#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tessaro {

enum class TkuSignatureAlgorithm {
    Legacy,     // "Ed": Ed25519 over the file itself
    Prehashed,  // "ED": Ed25519 over the file's BLAKE2b-512 hash
};

// The four lines of a .minisig file.
struct TkuMinisignSignature {
    std::string UntrustedComment;  // after "untrusted comment: "; proves nothing
    TkuSignatureAlgorithm Algorithm = TkuSignatureAlgorithm::Prehashed;
    std::array<std::uint8_t, 8> KeyId{};
    std::array<std::uint8_t, 64> Signature{};
    std::string TrustedComment;  // after "trusted comment: "
    // Ed25519 over Signature followed by TrustedComment: what makes the comment trusted.
    std::array<std::uint8_t, 64> GlobalSignature{};
};

// Nothing when the text is not a minisign signature: a missing or extra line, a
// missing comment prefix, an unknown algorithm, or Base64 of the wrong length.
std::optional<TkuMinisignSignature> ParseMinisignSignature(std::string_view text);

}  // namespace tessaro
