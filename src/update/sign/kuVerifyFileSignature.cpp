#include "update/sign/kuVerifyFileSignature.h"

#include <cstdio>
#include <memory>
#include <vector>

#include "update/sign/kuMinisignVerifier.h"

namespace tessaro {
namespace {

constexpr std::size_t kChunkSize = 256 * 1024;

struct TCloseFile {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

TkuSignatureVerdict VerifyFileSignature(const TkuMinisignPublicKey& key, const std::string& path,
                                        std::string_view signatureText,
                                        std::string_view expectedTrustedComment) {
    TkuMinisignVerifier verifier(key, signatureText);
    const std::unique_ptr<std::FILE, TCloseFile> file(std::fopen(path.c_str(), "rbe"));
    if (!file) return TkuSignatureVerdict::Unreadable;
    std::vector<char> chunk(kChunkSize);
    while (const std::size_t got = std::fread(chunk.data(), 1, chunk.size(), file.get()))
        verifier.Update(chunk.data(), got);
    if (std::ferror(file.get())) return TkuSignatureVerdict::Unreadable;
    return verifier.Finish(expectedTrustedComment);
}

}  // namespace tessaro
