#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "update/sign/kuMinisignPublicKey.h"
#include "update/sign/kuSignatureVerdict.h"

namespace tessaro {

// Proves that a release's info file and files come from its publisher: each
// has a minisign signature by the built-in key whose trusted comment names
// that file (the last segment of its URL) and the release ("#version").
class TkuReleaseVerifier final {
public:
    // The key line of the publisher's .pub file; false (and no key) when it
    // is empty or not a minisign key.
    bool SetPublicKey(std::string_view keyLine);
    bool CanVerify() const { return FKey.has_value(); }

    TkuSignatureVerdict VerifyText(const std::string& url, std::string_view text,
                                   std::string_view signature, std::string_view release) const;
    // Reads the file in pieces, so memory does not grow with its size.
    TkuSignatureVerdict VerifyFile(const std::string& url, const std::string& path,
                                   std::string_view signature, std::string_view release) const;

    // Where a file's signature is published.
    static std::string SignatureURL(const std::string& url) { return url + ".minisig"; }

private:
    std::optional<TkuMinisignPublicKey> FKey;
};

}  // namespace tessaro
