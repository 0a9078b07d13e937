#pragma once

#include <QPointer>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "update/http/kuHTTPProxy.h"
#include "update/http/kuHTTPRange.h"
#include "update/http/kuHTTPTimeouts.h"
#include "update/http/kuHTTPTransfer.h"
#include "update/http/kuHTTPTypes.h"
#include "update/http/kuLoginComponent.h"
#include "update/http/kuOutputFileAttributes.h"
#include "update/thread/kuThread.h"

class QImage;

namespace tessaro {

class TkuHTTPWorker;

// One HTTP (or local file) transfer at a time on a worker thread, reported through
// events: the body goes to a file (marked incomplete until it is whole, resumable) or
// to a memory stream handed to OnDone. Public operations belong on the user-interface
// thread; events are raised there, except OnBeforeSendRequest, OnStatusChanged and
// OnRedirected, which come on the worker and must not touch the interface.
class TkuCustomHTTP : public TkuLoginComponent {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TkuCustomHTTP)

public:
    static constexpr const char* kDefaultAcceptTypes = "text/html, */*";
    static constexpr const char* kDefaultAgent = "dyHTTP component (Tessaro update engine)";

    explicit TkuCustomHTTP(QObject* owner = nullptr);
    ~TkuCustomHTTP() override;

    // Downloads bytes start..end (end 0: to the end); false when a transfer is started.
    // With wait, returns once the transfer and its completion events are over.
    bool ReadRange(std::uint32_t start, std::uint32_t end, bool wait);
    bool Read(bool wait);
    // Continues OutputFileName, fetching its last TransferBufferSize bytes again to
    // check that the server still has the same file.
    bool Resume();
    // The worker stops at its next check (within 50 ms even when nothing moves); forced,
    // it is abandoned at once and the clean-up runs here. OnAborted comes once.
    void Abort(bool deleteFile, bool force);
    void Pause();
    // True when the system has no network to go online with.
    static bool IsGlobalOffline();
    // Frees the output (a file keeps the incomplete attributes) and clears the started
    // mark, so that a completion handler can start the next transfer.
    void ReleaseHTTPStream();

    bool BeginPrepareUpload();
    void UploadStream(const std::string& fieldName, QIODevice& source, const std::string& fileName);
    void UploadString(const std::string& fieldName, const std::string& value);
    void UploadInteger(const std::string& fieldName, std::int32_t value);
    void UploadBoolean(const std::string& fieldName, bool value);
    void UploadPicture(const std::string& fieldName, const QImage& picture,
                       const std::string& fileName);
    bool EndPrepareUpload();
    bool Upload(std::uint16_t count);

    const std::string& AcceptTypes() const { return FAcceptTypes; }
    void SetAcceptTypes(const std::string& value) { FAcceptTypes = value; }
    const std::vector<std::string>& AddHeaders() const { return FAddHeaders; }
    void SetAddHeaders(const std::vector<std::string>& value) { FAddHeaders = value; }
    const std::string& Agent() const { return FAgent; }
    void SetAgent(const std::string& value) { FAgent = value; }
    TkuHTTPProxy& Proxy() { return FProxy; }
    const std::string& URL() const { return FURL; }
    void SetURL(const std::string& value) { FURL = value; }
    // A PEM file of the certificate authorities that https servers must chain to, trusted
    // instead of the system's store; empty: the system's store.
    const std::string& CAFile() const { return FCAFile; }
    void SetCAFile(const std::string& value) { FCAFile = value; }
    TkuCacheOptions CacheOptions() const { return FCacheOptions; }
    void SetCacheOptions(TkuCacheOptions value) { FCacheOptions = value; }
    TkuInternetOptions InternetOptions() const { return FInternetOptions; }
    void SetInternetOptions(TkuInternetOptions value) { FInternetOptions = value; }
    const std::string& OutputFileName() const { return FOutputFileName; }
    void SetOutputFileName(const std::string& value) { FOutputFileName = value; }
    TkuOutputFileAttributes& OutputFileAttributes() { return FOutputFileAttributes; }
    const std::string& POSTData() const { return FPOSTData; }
    void SetPOSTData(const std::string& value) { FPOSTData = value; }
    TkuHTTPRange& Range() { return FRange; }
    const std::string& Referer() const { return FReferer; }
    void SetReferer(const std::string& value) { FReferer = value; }
    TkuHTTPRequestMethod RequestMethod() const { return FRequestMethod; }
    void SetRequestMethod(TkuHTTPRequestMethod value) { FRequestMethod = value; }
    bool ShowGoOnlineMessage() const { return FShowGoOnlineMessage; }
    void SetShowGoOnlineMessage(bool value) { FShowGoOnlineMessage = value; }
    TkuHTTPTimeouts& Timeouts() { return FTimeouts; }
    TThreadPriority ThreadPriority() const { return FThread->Priority(); }
    void SetThreadPriority(TThreadPriority value) { FThread->SetPriority(value); }
    std::int32_t TransferBufferSize() const { return FTransferBufferSize; }
    // Held to 255 and more.
    void SetTransferBufferSize(std::int32_t value);
    bool WaitThread() const { return FThread->WaitThread(); }
    void SetWaitThread(bool value) { FThread->SetWaitThread(value); }
    std::int32_t WaitTimeout() const { return static_cast<std::int32_t>(FThread->WaitTimeout()); }
    void SetWaitTimeout(std::int32_t value) {
        FThread->SetWaitTimeout(static_cast<std::uint32_t>(value));
    }
    bool WorkOffline() const { return FWorkOffline; }
    void SetWorkOffline(bool value) { FWorkOffline = value; }
    // The largest body a transfer takes, announced or received; 0: no limit. A larger
    // one ends as a lost connection with LastFailure() TooLarge.
    std::uint64_t MaxBodySize() const { return FMaxBodySize; }
    void SetMaxBodySize(std::uint64_t value) { FMaxBodySize = value; }
    // Free bytes a file output must leave on its file system; 0: no limit. Writing
    // past it ends as a lost connection with LastFailure() NoDiskSpace.
    std::uint64_t FreeSpaceMargin() const { return FFreeSpaceMargin; }
    void SetFreeSpaceMargin(std::uint64_t value) { FFreeSpaceMargin = value; }
    // A transfer from byte 0 creates its output file anew and fails when anything is
    // at that name already, even a link; a resume still continues the file there.
    bool FreshOutput() const { return FFreshOutput; }
    void SetFreshOutput(bool value) { FFreshOutput = value; }
    // Why the last finished transfer fell short; valid in its completion events.
    TkuHTTPFailure LastFailure() const { return FLastFailure; }

    std::string FileName() const;
    std::string HostName() const;
    bool ThreadBusy() const { return FThread->Running(); }
    // A transfer was launched and its end not yet told: true from the call that
    // starts it, before its thread runs.
    bool Transferring() const { return FTransfer != nullptr; }
    bool FreeOnTerminate() const { return FThread->FreeOnTerminate(); }
    void SetFreeOnTerminate(bool value) { FThread->SetFreeOnTerminate(value); }
    bool Suspended() const { return FThread->Suspended(); }
    void SetSuspended(bool value) { FThread->SetSuspended(value); }

    TkuHTTPBeforeSendRequest OnBeforeSendRequest;
    TkuHTTPHeaderInfoEvent OnHeaderInfo;
    TkuHTTPProgressEvent OnProgress;
    TkuHTTPUploadProgressEvent OnUploadProgress;
    TkuHTTPUploadFieldRequest OnUploadFieldRequest;
    TkuHTTPPasswordRequestEvent OnPasswordRequest;
    TkuHTTPProxyAuthenticationEvent OnProxyAuthenticationRequest;
    TkuHTTPStatusChanged OnStatusChanged;
    TkuHTTPRedirected OnRedirected;
    TkuHTTPDoneEvent OnDone;
    TNotifyEvent OnDoneInterrupted;
    TkuHTTPConnLostEvent OnConnLost;
    TkuHTTPErrorEvent OnHTTPError;
    TNotifyEvent OnHostUnreachable;
    TNotifyEvent OnOutputFileError;
    TNotifyEvent OnAnyError;
    TNotifyEvent OnAborted;
    TkuThreadWaitTimeoutExpired OnWaitTimeoutExpired;

private:
    friend class TkuHTTPWorker;

    bool Launch(const std::shared_ptr<TkuHTTPTransfer>& transfer, bool wait);
    void ThreadExecute(const std::shared_ptr<TkuHTTPTransfer>& transfer);
    void ThreadDone(const std::shared_ptr<TkuHTTPTransfer>& transfer);
    void RaiseCompletionEvents(TkuHTTPTransfer& transfer, bool& deleteOutput);
    void ThreadException();
    void ThreadWaitTimeoutExpired(bool& TerminateThread);
    void AbortOnCallerThread();
    // The worker's side of an abort; raises OnAborted on the user-interface thread.
    void AbortAndReleaseStreams(const std::shared_ptr<TkuHTTPTransfer>& transfer);
    void ReleaseTransfer(TkuHTTPTransfer& transfer, bool final);
    void CallAborted(TkuHTTPTransfer& transfer);
    void CallProgress(TkuHTTPTransfer& transfer);
    void CallUploadProgress(TkuHTTPTransfer& transfer);
    void DoAnyError();
    bool IsCurrent(const TkuHTTPTransfer& transfer) const { return FTransfer.get() == &transfer; }
    void Synchronize(const TThreadMethod& method) { FThread->Synchronize(method); }

    std::string FAcceptTypes = kDefaultAcceptTypes;
    std::vector<std::string> FAddHeaders;
    std::string FAgent = kDefaultAgent;
    TkuHTTPProxy FProxy;
    std::string FURL;
    std::string FCAFile;
    TkuCacheOptions FCacheOptions = {TkuCacheOption::coReloadIfNoExpireInformation,
                                     TkuCacheOption::coReloadUpdatedObjects,
                                     TkuCacheOption::coCreateTempFilesIfCantCache};
    TkuInternetOptions FInternetOptions = {TkuInternetOption::ioKeepConnection};
    std::string FOutputFileName;
    TkuOutputFileAttributes FOutputFileAttributes;
    std::string FPOSTData;
    TkuHTTPRange FRange;
    std::string FReferer;
    TkuHTTPRequestMethod FRequestMethod = TkuHTTPRequestMethod::rmAutoDetect;
    bool FShowGoOnlineMessage = false;
    TkuHTTPTimeouts FTimeouts;
    std::int32_t FTransferBufferSize = 4096;
    bool FWorkOffline = false;
    std::uint64_t FMaxBodySize = 0;
    std::uint64_t FFreeSpaceMargin = 0;
    bool FFreshOutput = false;
    TkuHTTPFailure FLastFailure = TkuHTTPFailure::None;

    // The transfer in progress: also the started mark.
    std::shared_ptr<TkuHTTPTransfer> FTransfer;
    // Declared last, destroyed first: its worker may still use everything above. The
    // worker reaches it through FThread, which stays valid while it is destroyed.
    std::unique_ptr<TkuCustomThread> FThreadOwner;
    TkuCustomThread* const FThread;
};

}  // namespace tessaro
