#include "update/http/kuHTTPTransfer.h"

namespace tessaro {

bool TkuHTTPTransfer::SetOutput(std::unique_ptr<QIODevice> stream, bool isFile,
                                const std::string& fileName) {
    std::lock_guard lock(outputMutex);
    if (released) return false;
    output = std::move(stream);
    outputIsFile = isFile;
    outputFileName = fileName;
    return true;
}

bool TkuHTTPTransfer::ReleaseOutput(TkuFileAttributes incomplete, bool final) {
    std::lock_guard lock(outputMutex);
    released = released || final;
    const bool wasFile = outputIsFile;
    const bool hadOutput = output != nullptr;
    output.reset();
    outputIsFile = false;
    if (hadOutput && wasFile && !(incomplete == TkuFileAttributes{TkuFileAttribute::atrArchive}))
        SetFileAttr(outputFileName, incomplete);
    return hadOutput && wasFile;
}

bool TkuHTTPTransfer::OutputIsFile() const {
    std::lock_guard lock(outputMutex);
    return outputIsFile;
}

std::string TkuHTTPTransfer::OutputFileName() const {
    std::lock_guard lock(outputMutex);
    return outputFileName;
}

bool TkuHTTPTransfer::HasOutput() const {
    std::lock_guard lock(outputMutex);
    return output != nullptr;
}

bool TkuHTTPTransfer::Released() const {
    std::lock_guard lock(outputMutex);
    return released;
}

}  // namespace tessaro
