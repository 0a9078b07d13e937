#include "update/http/kuCustomHTTP.h"

#include <algorithm>
#include <cstdio>

#include "update/http/kuHTTPProgress.h"
#include "update/http/kuHTTPWorker.h"
#include "update/utils/kuEnvironment.h"
#include "update/utils/kuFileTimes.h"
#include "update/utils/kuURL.h"

namespace tessaro {
namespace {

std::uint32_t ElapsedMs(const TkuHTTPTransfer& transfer) {
    const auto elapsed = std::chrono::steady_clock::now() - transfer.startTick;
    return static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

void DeleteFile(const std::string& fileName) {
    std::remove(fileName.c_str());
}

}  // namespace

TkuCustomHTTP::TkuCustomHTTP(QObject* owner)
    : TkuLoginComponent(owner),
      FThreadOwner(std::make_unique<TkuCustomThread>(this)),
      FThread(FThreadOwner.get()) {
    FThread->SetOnException([this](QObject*) { ThreadException(); });
    FThread->SetOnWaitTimeoutExpired(
        [this](QObject*, bool& TerminateThread) { ThreadWaitTimeoutExpired(TerminateThread); });
}

TkuCustomHTTP::~TkuCustomHTTP() {
    // Stops and waits for a running worker while everything it reads still exists.
    FThreadOwner.reset();
}

void TkuCustomHTTP::SetTransferBufferSize(std::int32_t value) {
    FTransferBufferSize = std::max(value, kuMinBufferSize);
}

bool TkuCustomHTTP::ReadRange(std::uint32_t start, std::uint32_t end, bool wait) {
    if (FTransfer) return false;
    auto transfer = std::make_shared<TkuHTTPTransfer>();
    transfer->resumeOffset = start;
    transfer->rangeEnd = end;
    FTransfer = transfer;
    return Launch(transfer, wait);
}

bool TkuCustomHTTP::Read(bool wait) {
    return ReadRange(0, 0, wait);
}

bool TkuCustomHTTP::Resume() {
    const std::int64_t size = std::max<std::int64_t>(ExtractFileSize(FOutputFileName), 0);
    const std::int64_t offset = size > FTransferBufferSize ? size - FTransferBufferSize : 0;
    return ReadRange(static_cast<std::uint32_t>(offset), 0, false);
}

// Each run gets its own transfer, so that a worker abandoned by a forced termination
// can never see the next transfer's state.
bool TkuCustomHTTP::Launch(const std::shared_ptr<TkuHTTPTransfer>& transfer, bool wait) {
    FThread->SetOnExecute([this, transfer](QObject*) { ThreadExecute(transfer); });
    FThread->SetOnTerminate([this, transfer](QObject*) { ThreadDone(transfer); });
    const bool previous = FThread->WaitThread();
    if (wait) FThread->SetWaitThread(true);
    const QPointer<TkuCustomHTTP> self(this);
    const bool result = FThread->Execute();
    if (self && wait) FThread->SetWaitThread(previous);
    return result;
}

void TkuCustomHTTP::Abort(bool deleteFile, bool force) {
    if (!ThreadBusy()) return;
    if (FTransfer) FTransfer->deleteOnAbort = deleteFile;
    FThread->Terminate(force);
    if (force) AbortOnCallerThread();
}

void TkuCustomHTTP::Pause() {
    Abort(false, false);
}

bool TkuCustomHTTP::IsGlobalOffline() {
    return !IsOnline();
}

void TkuCustomHTTP::ReleaseHTTPStream() {
    if (FTransfer) ReleaseTransfer(*FTransfer, false);
}

void TkuCustomHTTP::ReleaseTransfer(TkuHTTPTransfer& transfer, bool final) {
    transfer.ReleaseOutput(FOutputFileAttributes.Incomplete(), final);
    if (IsCurrent(transfer)) FTransfer.reset();
}

std::string TkuCustomHTTP::FileName() const {
    std::string scheme, host, path, userName, password, extraInfo;
    std::uint16_t port = 0;
    ParseURL(FURL, scheme, host, path, userName, password, extraInfo, port);
    std::replace(path.begin(), path.end(), '/', '\\');
    return path.substr(path.rfind('\\') + 1);
}

std::string TkuCustomHTTP::HostName() const {
    return URLToHostName(FURL);
}

void TkuCustomHTTP::ThreadExecute(const std::shared_ptr<TkuHTTPTransfer>& transfer) {
    try {
        TkuHTTPWorker(*this, transfer).Run();
    } catch (const EkuThreadTerminated&) {
        throw;
    } catch (...) {
        // Whatever the worker had received, a transfer it could not finish is no success.
        transfer->success = false;
        transfer->failure = TkuHTTPFailure::Failed;
        throw;
    }
}

void TkuCustomHTTP::ThreadDone(const std::shared_ptr<TkuHTTPTransfer>& transfer) {
    TkuHTTPTransfer& t = *transfer;
    FLastFailure = t.failure;
    if (QIODevice* stream = t.OutputForEvents()) stream->seek(0);
    const QPointer<TkuCustomHTTP> self(this);
    const std::string outputName = t.OutputFileName();
    bool deleteOutput = false;
    if (t.continueDownload) {
        if (t.success && !t.HasOutput()) {
            DoAnyError();
            if (self && OnOutputFileError) OnOutputFileError(this);
            if (self && IsCurrent(t)) FTransfer.reset();
            return;
        }
        RaiseCompletionEvents(t, deleteOutput);
        if (!self) return;
    }
    ReleaseTransfer(t, true);
    // A transfer that a handler started may already be writing the same file.
    const bool reused = FTransfer && FTransfer->OutputFileName() == outputName;
    if (deleteOutput && !reused) DeleteFile(outputName);
    if (!t.continueDownload && OnDoneInterrupted) OnDoneInterrupted(this);
}

void TkuCustomHTTP::RaiseCompletionEvents(TkuHTTPTransfer& t, bool& deleteOutput) {
    const QPointer<TkuCustomHTTP> self(this);
    QIODevice* stream = t.OutputForEvents();
    if (t.success) {
        if (t.OutputIsFile()) {
            const std::string name = t.OutputFileName();
            ReleaseTransfer(t, true);
            if (!(FOutputFileAttributes.Incomplete() == FOutputFileAttributes.Complete()))
                SetFileAttr(name, FOutputFileAttributes.Complete());
            stream = nullptr;
        }
        const auto fileSize = static_cast<std::int32_t>(t.bytesTransferred + t.resumeOffset);
        if (OnDone) OnDone(this, t.contentType, fileSize, stream);
        return;
    }
    if (t.status == 200 || t.status == 206) {
        if (OnConnLost)
            OnConnLost(this, t.contentType, static_cast<std::int32_t>(t.dataSize),
                       static_cast<std::int32_t>(t.bytesTransferred), stream);
    } else if (t.status == -1) {
        if (OnHostUnreachable) OnHostUnreachable(this);
    } else {
        deleteOutput = t.OutputIsFile();
        if (OnHTTPError) OnHTTPError(this, t.status, deleteOutput ? nullptr : stream);
    }
    if (self) DoAnyError();
}

void TkuCustomHTTP::ThreadException() {
    DoAnyError();
}

void TkuCustomHTTP::DoAnyError() {
    if (OnAnyError) OnAnyError(this);
}

void TkuCustomHTTP::ThreadWaitTimeoutExpired(bool& TerminateThread) {
    if (OnWaitTimeoutExpired) OnWaitTimeoutExpired(this, TerminateThread);
    if (!TerminateThread) return;
    FThread->Terminate(true);
    if (!FTransfer) return;
    FTransfer->abortedReported = true;
    ReleaseTransfer(*FTransfer, true);
}

void TkuCustomHTTP::AbortOnCallerThread() {
    const std::shared_ptr<TkuHTTPTransfer> transfer = FTransfer;
    if (!transfer) return;
    const bool wasFile = transfer->ReleaseOutput(FOutputFileAttributes.Incomplete(), true);
    if (wasFile && transfer->deleteOnAbort) DeleteFile(transfer->OutputFileName());
    CallAborted(*transfer);
}

void TkuCustomHTTP::AbortAndReleaseStreams(const std::shared_ptr<TkuHTTPTransfer>& transfer) {
    const bool wasFile = transfer->ReleaseOutput(FOutputFileAttributes.Incomplete(), true);
    if (wasFile && transfer->deleteOnAbort) DeleteFile(transfer->OutputFileName());
    Synchronize([this, transfer] { CallAborted(*transfer); });
}

void TkuCustomHTTP::CallAborted(TkuHTTPTransfer& transfer) {
    if (transfer.abortedReported) return;
    transfer.abortedReported = true;
    if (IsCurrent(transfer)) FTransfer.reset();
    if (OnAborted) OnAborted(this);
}

void TkuCustomHTTP::CallProgress(TkuHTTPTransfer& t) {
    Synchronize([this, &t] {
        const TkuHTTPProgressValues values =
            PrepareProgressParams(t.dataSize, t.bytesTransferred, t.resumeOffset, ElapsedMs(t));
        if (OnProgress)
            OnProgress(this, t.contentType, static_cast<std::int32_t>(t.dataSize + t.resumeOffset),
                       static_cast<std::int32_t>(t.bytesTransferred + t.resumeOffset),
                       values.ElapsedTime, values.EstimatedTimeLeft, values.PercentsDone,
                       values.TransferRate, t.OutputForEvents());
    });
}

void TkuCustomHTTP::CallUploadProgress(TkuHTTPTransfer& t) {
    Synchronize([this, &t] {
        const TkuHTTPProgressValues values =
            PrepareProgressParams(t.dataSize, t.bytesTransferred, 0, ElapsedMs(t));
        if (OnUploadProgress)
            OnUploadProgress(this, static_cast<std::int32_t>(t.dataSize),
                             static_cast<std::int32_t>(t.bytesTransferred), values.ElapsedTime,
                             values.EstimatedTimeLeft, values.PercentsDone, values.TransferRate);
    });
}

}  // namespace tessaro
