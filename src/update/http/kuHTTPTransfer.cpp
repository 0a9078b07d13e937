#include "update/http/kuHTTPTransfer.h"

namespace tessaro {
namespace {

constexpr std::size_t kWriteBehind = 64 * 1024;

}  // namespace

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
    if (hadOutput) FlushLocked();  // what arrived stays, as far as it can be written
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

TkuHTTPTransfer::TWrite TkuHTTPTransfer::Write(const char* data, std::size_t size) {
    std::lock_guard lock(outputMutex);
    if (!output || released) return TWrite::Released;
    if (!outputIsFile) {
        const auto length = static_cast<qint64>(size);
        return output->write(data, length) == length ? TWrite::Written : TWrite::Failed;
    }
    pending.append(data, size);
    return pending.size() < kWriteBehind ? TWrite::Written : FlushLocked();
}

TkuHTTPTransfer::TWrite TkuHTTPTransfer::Flush() {
    std::lock_guard lock(outputMutex);
    if (!output || released) return TWrite::Released;
    return FlushLocked();
}

TkuHTTPTransfer::TWrite TkuHTTPTransfer::FlushLocked() {
    const auto size = static_cast<qint64>(pending.size());
    const bool whole = size == 0 || output->write(pending.data(), size) == size;
    pending.clear();
    return whole ? TWrite::Written : TWrite::Failed;
}

}  // namespace tessaro
