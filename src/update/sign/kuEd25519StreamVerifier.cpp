#include "update/sign/kuEd25519StreamVerifier.h"

#include <algorithm>

#include "update/sign/kuSodium.h"

namespace tessaro {
namespace {

using TPoint = std::array<std::uint8_t, 32>;
using TScalar = std::array<std::uint8_t, 32>;

// S is canonical when reducing it modulo the group order leaves it as it is.
bool IsCanonicalScalar(const std::uint8_t* s) {
    std::array<std::uint8_t, 64> wide{};
    std::copy_n(s, 32, wide.begin());
    TScalar reduced;
    crypto_core_ed25519_scalar_reduce(reduced.data(), wide.data());
    return std::equal(reduced.begin(), reduced.end(), s);
}

}  // namespace

TkuEd25519StreamVerifier::TkuEd25519StreamVerifier(const std::array<std::uint8_t, 32>& publicKey,
                                                   const std::array<std::uint8_t, 64>& signature)
    : FPublicKey(publicKey), FSignature(signature) {
    InitialiseSodium();
    crypto_hash_sha512_init(&FHash);
    crypto_hash_sha512_update(&FHash, FSignature.data(), 32);  // R
    crypto_hash_sha512_update(&FHash, FPublicKey.data(), FPublicKey.size());
}

void TkuEd25519StreamVerifier::Update(const std::uint8_t* data, std::size_t size) {
    crypto_hash_sha512_update(&FHash, data, size);
}

bool TkuEd25519StreamVerifier::EncodingsAcceptable() const {
    return IsCanonicalScalar(FSignature.data() + 32) &&
           crypto_core_ed25519_is_valid_point(FSignature.data()) == 1;
}

// [S]B - [h]A must encode to R. The scalar multiplications refuse a zero scalar or an
// identity result, which an honest signature only meets with negligible chance; the second
// also refuses an A that is not a canonical point of the prime-order subgroup.
bool TkuEd25519StreamVerifier::Finish() {
    std::array<std::uint8_t, 64> digest;
    crypto_hash_sha512_final(&FHash, digest.data());
    if (!EncodingsAcceptable()) return false;
    TScalar h;
    crypto_core_ed25519_scalar_reduce(h.data(), digest.data());
    TPoint sB, hA, expectedR;
    return crypto_scalarmult_ed25519_base_noclamp(sB.data(), FSignature.data() + 32) == 0 &&
           crypto_scalarmult_ed25519_noclamp(hA.data(), h.data(), FPublicKey.data()) == 0 &&
           crypto_core_ed25519_sub(expectedR.data(), sB.data(), hA.data()) == 0 &&
           std::equal(expectedR.begin(), expectedR.end(), FSignature.begin());
}

}  // namespace tessaro
