#pragma once

#include <string_view>

namespace tessaro {

// The outcome of checking a downloaded file against its minisign signature, in the order
// the checks are made. Only Valid lets the file be believed.
enum class TkuSignatureVerdict {
    Valid,
    Malformed,            // the signature text is not a minisign signature
    UnknownKey,           // signed with another key than the one built in
    BadSignature,         // the file's bytes do not match the signature
    BadTrustedComment,    // the trusted comment was altered after signing
    WrongTrustedComment,  // a genuine signature, but for another file or release
    Unreadable,           // the file to check could not be read
};

// A short English explanation for the command line.
std::string_view SignatureVerdictText(TkuSignatureVerdict verdict);

}  // namespace tessaro
