#pragma once

#include <sodium.h>

#include <cstddef>
#include <optional>
#include <string_view>

#include "update/sign/kuEd25519StreamVerifier.h"
#include "update/sign/kuMinisignPublicKey.h"
#include "update/sign/kuMinisignSignature.h"
#include "update/sign/kuSignatureVerdict.h"

namespace tessaro {

// Checks one file against its minisign signature while the file's bytes arrive, as
// `minisign -V` does: the signature of the file (or of its BLAKE2b-512 hash), then the
// global signature over that signature and the trusted comment, then the comment itself.
// Memory stays the same whatever the file's size, in both signature forms.
class TkuMinisignVerifier final {
public:
    TkuMinisignVerifier(const TkuMinisignPublicKey& key, std::string_view signatureText);

    // The file's next bytes.
    void Update(const void* data, std::size_t size);
    // The verdict on everything given to Update; ends the verification (calling Update or
    // Finish again throws std::logic_error).
    TkuSignatureVerdict Finish(std::string_view expectedTrustedComment);

private:
    void EnsureRunning() const;
    bool FileSignatureHolds();
    bool GlobalSignatureHolds() const;

    TkuMinisignPublicKey FKey;
    std::optional<TkuMinisignSignature> FSignature;
    // Malformed or UnknownKey: known before the first byte, so no byte is hashed.
    std::optional<TkuSignatureVerdict> FEarlyVerdict;
    crypto_generichash_state FPrehash{};
    std::optional<TkuEd25519StreamVerifier> FLegacy;
    bool FFinished = false;
};

}  // namespace tessaro
