#include "update/renovator/kuReleaseVerifier.h"

#include "update/sign/kuMinisignVerifier.h"
#include "update/sign/kuUpdateTrustedComment.h"
#include "update/sign/kuVerifyFileSignature.h"
#include "update/utils/kuURL.h"

namespace tessaro {
namespace {

std::string ExpectedComment(const std::string& url, std::string_view release) {
    return UpdateTrustedComment(URLToFileName(url), release);
}

}  // namespace

bool TkuReleaseVerifier::SetPublicKey(std::string_view keyLine) {
    FKey = keyLine.empty() ? std::nullopt : ParseMinisignPublicKey(keyLine);
    return FKey.has_value();
}

TkuSignatureVerdict TkuReleaseVerifier::VerifyText(const std::string& url, std::string_view text,
                                                   std::string_view signature,
                                                   std::string_view release) const {
    if (!FKey) return TkuSignatureVerdict::UnknownKey;
    TkuMinisignVerifier verifier(*FKey, signature);
    verifier.Update(text.data(), text.size());
    return verifier.Finish(ExpectedComment(url, release));
}

TkuSignatureVerdict TkuReleaseVerifier::VerifyFile(const std::string& url, const std::string& path,
                                                   std::string_view signature,
                                                   std::string_view release) const {
    if (!FKey) return TkuSignatureVerdict::UnknownKey;
    return VerifyFileSignature(*FKey, path, signature, ExpectedComment(url, release));
}

}  // namespace tessaro
