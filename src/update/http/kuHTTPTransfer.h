#pragma once

#include <QIODevice>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "update/http/kuHTTPFailure.h"
#include "update/http/kuHTTPUploadStream.h"
#include "update/utils/kuFileAttributes.h"

namespace tessaro {

// The state of one transfer, shared by the worker that runs it and the component that
// started it. A worker that was abandoned by a forced termination keeps its own
// reference, so nothing it still touches can vanish under it; the output is shared
// under a mutex because a forced clean-up releases it while that worker may still be
// about to write.
struct TkuHTTPTransfer {
    // Set when the transfer starts.
    std::uint32_t resumeOffset = 0;
    std::uint32_t rangeEnd = 0;
    bool uploadPrepared = false;
    std::string uploadHeader;
    std::unique_ptr<TkuHTTPUploadStream> uploadBody;
    std::atomic<bool> deleteOnAbort = false;

    // Written by the worker; read on the user-interface thread inside synchronised calls
    // and in the completion, which the worker waits for.
    std::int32_t status = -1;
    bool success = false;
    bool tryAgain = false;
    bool continueDownload = true;
    std::uint32_t dataSize = 0;
    std::uint32_t bytesTransferred = 0;
    TkuHTTPFailure failure = TkuHTTPFailure::None;
    std::chrono::steady_clock::time_point startTick;
    std::string contentType;

    // User-interface thread only: OnAborted was raised for this transfer.
    bool abortedReported = false;

    // Installs a fresh output; false (the stream is dropped) once the transfer was
    // released by an abort.
    bool SetOutput(std::unique_ptr<QIODevice> stream, bool isFile, const std::string& fileName);
    // Frees the output after writing what it still holds; a file gets the incomplete
    // attributes (unless they are only the archive mark). Returns whether it was a file. No output
    // afterwards, and a released transfer takes no more output.
    bool ReleaseOutput(TkuFileAttributes incomplete, bool final = false);
    bool OutputIsFile() const;
    std::string OutputFileName() const;
    bool HasOutput() const;
    bool Released() const;

    enum class TWrite { Written, Failed, Released };
    // Appends to the output. A file collects blocks and writes them in pieces of about
    // 64 KiB; a memory output takes them at once.
    TWrite Write(const char* data, std::size_t size);
    // Writes what a file output still holds.
    TWrite Flush();

    // Runs the call with the output while holding it; false when there is none.
    template <typename Call>
    bool WithOutput(Call&& call) {
        std::lock_guard lock(outputMutex);
        if (!output || released) return false;
        call(*output);
        return true;
    }
    // The output as a device for the completion's events (the worker has ended).
    QIODevice* OutputForEvents() const { return output.get(); }

private:
    TWrite FlushLocked();

    mutable std::mutex outputMutex;
    std::unique_ptr<QIODevice> output;
    std::string pending;  // blocks not yet written to a file output
    bool outputIsFile = false;
    bool released = false;
    std::string outputFileName;
};

}  // namespace tessaro
