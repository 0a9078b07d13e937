#pragma once

#include <sodium.h>

#include <array>
#include <cstddef>
#include <cstdint>

namespace tessaro {

// Ed25519 verification (RFC 8032, the cofactorless check libsodium makes) of a message
// that arrives in pieces, in constant memory: the message enters only SHA-512(R || A || M),
// so it never has to be held whole. Stricter than libsodium alone where that costs
// nothing: S must be below the group order, and A and R must be canonical points of the
// prime-order subgroup (no small-order or mixed-order points), which every honest
// signature meets.
class TkuEd25519StreamVerifier final {
public:
    TkuEd25519StreamVerifier(const std::array<std::uint8_t, 32>& publicKey,
                             const std::array<std::uint8_t, 64>& signature);

    void Update(const std::uint8_t* data, std::size_t size);
    // Whether the signature holds for everything given to Update; call it once.
    bool Finish();

private:
    bool EncodingsAcceptable() const;

    std::array<std::uint8_t, 32> FPublicKey;
    std::array<std::uint8_t, 64> FSignature;
    crypto_hash_sha512_state FHash{};
};

}  // namespace tessaro
