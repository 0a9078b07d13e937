#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace tessaro {

// An Ed25519 public key as minisign writes it: a key id that names it in signatures,
// and the key itself.
struct TkuMinisignPublicKey {
    std::array<std::uint8_t, 8> KeyId{};
    std::array<std::uint8_t, 32> Key{};
};

// Reads the Base64 key line of a minisign .pub file ("Ed", key id, key), or the whole
// file (untrusted comment line, then the key line); nothing when it is not such a key.
std::optional<TkuMinisignPublicKey> ParseMinisignPublicKey(std::string_view keyLine);

}  // namespace tessaro
