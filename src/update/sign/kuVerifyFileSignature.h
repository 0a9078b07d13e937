#pragma once

#include <string>
#include <string_view>

#include "update/sign/kuMinisignPublicKey.h"
#include "update/sign/kuSignatureVerdict.h"

namespace tessaro {

// Checks the file at path against its minisign signature, reading it in fixed-size
// chunks; Unreadable when it cannot be opened or read to its end.
TkuSignatureVerdict VerifyFileSignature(const TkuMinisignPublicKey& key, const std::string& path,
                                        std::string_view signatureText,
                                        std::string_view expectedTrustedComment);

}  // namespace tessaro
