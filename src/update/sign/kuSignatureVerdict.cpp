#include "update/sign/kuSignatureVerdict.h"

namespace tessaro {

std::string_view SignatureVerdictText(TkuSignatureVerdict verdict) {
    switch (verdict) {
        case TkuSignatureVerdict::Valid:
            return "the signature is valid";
        case TkuSignatureVerdict::Malformed:
            return "the signature file is damaged or not a minisign signature";
        case TkuSignatureVerdict::UnknownKey:
            return "the file was signed with a key this program does not trust";
        case TkuSignatureVerdict::BadSignature:
            return "the file does not match its signature: it was damaged or altered";
        case TkuSignatureVerdict::BadTrustedComment:
            return "the signature's trusted comment was altered";
        case TkuSignatureVerdict::WrongTrustedComment:
            return "the signature belongs to another file or release";
        case TkuSignatureVerdict::Unreadable:
            return "the file to check could not be read";
    }
    return "unknown signature verdict";
}

}  // namespace tessaro
