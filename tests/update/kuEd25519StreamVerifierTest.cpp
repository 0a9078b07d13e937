#include "update/sign/kuEd25519StreamVerifier.h"

#include <sodium.h>

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace tessaro::test {
namespace {

using TKey = std::array<std::uint8_t, 32>;
using TSignature = std::array<std::uint8_t, 64>;
using TBytes = std::vector<std::uint8_t>;

// The group order L, little-endian.
constexpr TKey kOrder = {0xed, 0xd3, 0xf5, 0x5c, 0x1a, 0x63, 0x12, 0x58, 0xd6, 0x9c, 0xf7,
                         0xa2, 0xde, 0xf9, 0xde, 0x14, 0,    0,    0,    0,    0,    0,
                         0,    0,    0,    0,    0,    0,    0,    0,    0,    0x10};

bool StreamVerify(const TKey& key, const TSignature& signature, const TBytes& message,
                  std::size_t chunk) {
    TkuEd25519StreamVerifier verifier(key, signature);
    for (std::size_t at = 0; at < message.size(); at += chunk)
        verifier.Update(message.data() + at, std::min(chunk, message.size() - at));
    return verifier.Finish();
}

bool SodiumVerify(const TKey& key, const TSignature& signature, const TBytes& message) {
    return crypto_sign_verify_detached(signature.data(), message.data(), message.size(),
                                       key.data()) == 0;
}

// S + L: the same scalar modulo L, so a check that reduces S first would accept it.
TSignature WithScalarPlusOrder(TSignature signature) {
    unsigned carry = 0;
    for (std::size_t i = 0; i < 32; ++i) {
        carry += signature[32 + i] + kOrder[i];
        signature[32 + i] = static_cast<std::uint8_t>(carry);
        carry >>= 8;
    }
    return signature;
}

// A key A = [a]B and the signature (R = identity, S = h·a) for the message: [S]B - [h]A
// is the identity, so the equation holds and only the refusal of a small-order R stops it.
void SignWithIdentityR(TKey& key, TSignature& signature, const TBytes& message) {
    TKey a;
    crypto_core_ed25519_scalar_random(a.data());
    crypto_scalarmult_ed25519_base_noclamp(key.data(), a.data());
    signature.fill(0);
    signature[0] = 1;
    crypto_hash_sha512_state state;
    crypto_hash_sha512_init(&state);
    crypto_hash_sha512_update(&state, signature.data(), 32);
    crypto_hash_sha512_update(&state, key.data(), key.size());
    crypto_hash_sha512_update(&state, message.data(), message.size());
    std::array<std::uint8_t, 64> digest;
    crypto_hash_sha512_final(&state, digest.data());
    TKey h;
    crypto_core_ed25519_scalar_reduce(h.data(), digest.data());
    crypto_core_ed25519_scalar_mul(signature.data() + 32, h.data(), a.data());
}

class Ed25519StreamVerifierTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_GE(sodium_init(), 0);
        std::array<std::uint8_t, 64> secret;
        crypto_sign_keypair(key.data(), secret.data());
        message.resize(10007);
        randombytes_buf(message.data(), message.size());
        crypto_sign_detached(signature.data(), nullptr, message.data(), message.size(),
                             secret.data());
    }
    TKey key;
    TSignature signature;
    TBytes message;
};

// libsodium's one-shot check is the reference: every change must be judged alike, in
// whatever pieces the message comes.
TEST_F(Ed25519StreamVerifierTest, AgreesWithLibsodiumOnGenuineAndChangedSignatures) {
    struct Case {
        const char* name;
        std::function<void(TKey&, TSignature&, TBytes&)> change;
        bool valid;
    };
    // clang-format off
    const Case cases[] = {
        {"genuine", [](TKey&, TSignature&, TBytes&) {}, true},
        {"message bit", [](TKey&, TSignature&, TBytes& m) { m[5000] ^= 0x01; }, false},
        {"message longer", [](TKey&, TSignature&, TBytes& m) { m.push_back(0); }, false},
        {"message shorter", [](TKey&, TSignature&, TBytes& m) { m.pop_back(); }, false},
        {"message empty", [](TKey&, TSignature&, TBytes& m) { m.clear(); }, false},
        {"R bit", [](TKey&, TSignature& s, TBytes&) { s[3] ^= 0x20; }, false},
        {"S bit", [](TKey&, TSignature& s, TBytes&) { s[40] ^= 0x01; }, false},
        {"S top bit", [](TKey&, TSignature& s, TBytes&) { s[63] ^= 0x80; }, false},
        {"S plus the group order", [](TKey&, TSignature& s, TBytes&) { s = WithScalarPlusOrder(s); }, false},
        {"key bit", [](TKey& k, TSignature&, TBytes&) { k[7] ^= 0x04; }, false},
        {"key sign bit", [](TKey& k, TSignature&, TBytes&) { k[31] ^= 0x80; }, false},
        {"R is the identity", [](TKey&, TSignature& s, TBytes&) { std::fill_n(s.begin(), 32, 0); s[0] = 1; }, false},
        {"R is the identity and the equation holds", [](TKey& k, TSignature& s, TBytes& m) { SignWithIdentityR(k, s, m); }, false},
        // A naive check accepts every message for the identity key with R = identity, S = 0.
        {"identity key, R identity, S zero", [](TKey& k, TSignature& s, TBytes&) {
             k.fill(0); k[0] = 1; s.fill(0); s[0] = 1; }, false},
        // (0, -1): a point of order 2.
        {"key of order 2", [](TKey& k, TSignature&, TBytes&) {
             k.fill(0xff); k[0] = 0xec; k[31] = 0x7f; }, false},
        {"key not encoded canonically", [](TKey& k, TSignature&, TBytes&) {
             k.fill(0xff); k[0] = 0xee; k[31] = 0x7f; }, false},
    };
    // clang-format on
    for (const Case& row : cases) {
        TKey k = key;
        TSignature s = signature;
        TBytes m = message;
        row.change(k, s, m);
        EXPECT_EQ(SodiumVerify(k, s, m), row.valid) << row.name << " (reference)";
        for (std::size_t chunk :
             {std::size_t{1}, std::size_t{31}, std::size_t{128}, std::size_t{4096}, m.size() + 1}) {
            SCOPED_TRACE(std::string(row.name) + ", pieces of " + std::to_string(chunk));
            EXPECT_EQ(StreamVerify(k, s, m, chunk), row.valid);
        }
    }
}

TEST_F(Ed25519StreamVerifierTest, AgreesWithLibsodiumOnRandomMessagesAndDamage) {
    for (int round = 0; round < 200; ++round) {
        SCOPED_TRACE(round);
        std::array<std::uint8_t, 64> secret;
        crypto_sign_keypair(key.data(), secret.data());
        TBytes m(randombytes_uniform(300));
        // An empty message has no buffer to fill, and the filler takes none.
        if (!m.empty()) randombytes_buf(m.data(), m.size());
        crypto_sign_detached(signature.data(), nullptr, m.data(), m.size(), secret.data());
        // Every other round damages one random byte of the signature.
        if (round % 2 == 1) signature[randombytes_uniform(64)] ^= 1 + randombytes_uniform(255);
        const std::size_t chunk = 1 + randombytes_uniform(64);
        EXPECT_EQ(StreamVerify(key, signature, m, chunk), SodiumVerify(key, signature, m));
    }
}

}  // namespace
}  // namespace tessaro::test
