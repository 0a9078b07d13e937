#include "update/sign/kuMinisignVerifier.h"

#include <array>
#include <stdexcept>
#include <vector>

#include "update/sign/kuSodium.h"

namespace tessaro {

TkuMinisignVerifier::TkuMinisignVerifier(const TkuMinisignPublicKey& key,
                                         std::string_view signatureText)
    : FKey(key), FSignature(ParseMinisignSignature(signatureText)) {
    InitialiseSodium();
    if (!FSignature)
        FEarlyVerdict = TkuSignatureVerdict::Malformed;
    else if (FSignature->KeyId != FKey.KeyId)
        FEarlyVerdict = TkuSignatureVerdict::UnknownKey;
    else if (FSignature->Algorithm == TkuSignatureAlgorithm::Legacy)
        FLegacy.emplace(FKey.Key, FSignature->Signature);
    else
        crypto_generichash_init(&FPrehash, nullptr, 0, crypto_generichash_BYTES_MAX);
}

void TkuMinisignVerifier::EnsureRunning() const {
    if (FFinished) throw std::logic_error("the signature verification has already finished");
}

void TkuMinisignVerifier::Update(const void* data, std::size_t size) {
    EnsureRunning();
    if (FEarlyVerdict) return;
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    if (FLegacy)
        FLegacy->Update(bytes, size);
    else
        crypto_generichash_update(&FPrehash, bytes, size);
}

TkuSignatureVerdict TkuMinisignVerifier::Finish(std::string_view expectedTrustedComment) {
    EnsureRunning();
    FFinished = true;
    if (FEarlyVerdict) return *FEarlyVerdict;
    if (!FileSignatureHolds()) return TkuSignatureVerdict::BadSignature;
    if (!GlobalSignatureHolds()) return TkuSignatureVerdict::BadTrustedComment;
    if (FSignature->TrustedComment != expectedTrustedComment)
        return TkuSignatureVerdict::WrongTrustedComment;
    return TkuSignatureVerdict::Valid;
}

bool TkuMinisignVerifier::FileSignatureHolds() {
    if (FLegacy) return FLegacy->Finish();
    std::array<std::uint8_t, crypto_generichash_BYTES_MAX> hash;
    crypto_generichash_final(&FPrehash, hash.data(), hash.size());
    return crypto_sign_verify_detached(FSignature->Signature.data(), hash.data(), hash.size(),
                                       FKey.Key.data()) == 0;
}

bool TkuMinisignVerifier::GlobalSignatureHolds() const {
    std::vector<std::uint8_t> signedBytes(FSignature->Signature.begin(),
                                          FSignature->Signature.end());
    signedBytes.insert(signedBytes.end(), FSignature->TrustedComment.begin(),
                       FSignature->TrustedComment.end());
    return crypto_sign_verify_detached(FSignature->GlobalSignature.data(), signedBytes.data(),
                                       signedBytes.size(), FKey.Key.data()) == 0;
}

}  // namespace tessaro
