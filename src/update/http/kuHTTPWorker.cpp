#include "update/http/kuHTTPWorker.h"

#include <QBuffer>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cstring>
#include <stdexcept>
#include <utility>

#include "update/http/kuCustomHTTP.h"
#include "update/http/kuFileStream.h"
#include "update/http/kuHTTPProgress.h"
#include "update/http/kuURLEncoding.h"
#include "update/utils/kuInternetTime.h"
#include "update/utils/kuURL.h"

namespace tessaro {
namespace {

const TkuFileAttributes kArchiveOnly = {TkuFileAttribute::atrArchive};
// A memory output is presized to its announced length only up to this; beyond, it grows
// with what really arrives.
constexpr std::uint64_t kMostPresize = 16 * 1024 * 1024;
// How often a file output looks at the free space left.
constexpr std::uint64_t kFreeSpaceInterval = 1024 * 1024;

bool IsBodyStatus(std::int32_t status) {
    return status == 200 || status == 206;
}

// The header's value as a count; 0 when it is not one.
template <typename Count = std::uint32_t>
Count CountOf(const std::string& text) {
    Count value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() ? value : 0;
}

// Bytes this user may still write in the file's folder; the most there is when unknown.
std::uint64_t FreeSpaceFor(const std::string& fileName) {
    const std::size_t slash = fileName.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : fileName.substr(0, slash + 1);
    struct statvfs info {};
    if (::statvfs(folder.c_str(), &info) != 0) return UINT64_MAX;
    return std::uint64_t{info.f_bavail} * info.f_frsize;
}

std::string HostForURL(const std::string& host) {
    if (host.find(':') != std::string::npos && !host.starts_with("[")) return "[" + host + "]";
    return host;
}

class TDescriptor final {
public:
    explicit TDescriptor(int fd) : FFd(fd) {}
    ~TDescriptor() {
        if (FFd >= 0) ::close(FFd);
    }
    TDescriptor(const TDescriptor&) = delete;
    TDescriptor& operator=(const TDescriptor&) = delete;
    int Get() const { return FFd; }

private:
    int FFd;
};

class EWriteError final : public std::runtime_error {
public:
    EWriteError() : std::runtime_error("The output cannot be written") {}
};

}  // namespace

TkuHTTPWorker::TkuHTTPWorker(TkuCustomHTTP& http, std::shared_ptr<TkuHTTPTransfer> transfer)
    : FHttp(http), FTransferRef(std::move(transfer)), FT(*FTransferRef) {}

void TkuHTTPWorker::Run() {
    FT.status = -1;
    FT.contentType.clear();
    FBlockSize = static_cast<std::size_t>(FHttp.TransferBufferSize());
    FT.startTick = std::chrono::steady_clock::now();
    FT.continueDownload = true;
    const TUrl url = SplitURL();
    CheckTerminated();
    if (url.scheme == "file") {
        while (ReadLocalFile(url.path)) {
        }
        return;
    }
    while (RunConnection(url) == TNext::Reconnect) {
    }
}

TkuHTTPWorker::TUrl TkuHTTPWorker::SplitURL() const {
    TUrl url;
    ParseURL(FHttp.URL(), url.scheme, url.host, url.path, url.userName, url.password, url.extraInfo,
             url.port);
    url.extraInfo = URLEncode(url.extraInfo);
    if (url.userName.empty()) url.userName = FHttp.Username();
    if (url.password.empty()) url.password = FHttp.Password();
    return url;
}

// A local file goes through the same output and body steps as a response. True when
// the output has to start again from byte 0.
bool TkuHTTPWorker::ReadLocalFile(const std::string& path) {
    const TDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat info {};
    std::uint64_t remaining = 0;
    if (file.Get() < 0 || ::fstat(file.Get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        FT.status = 404;
        FT.dataSize = 0;
    } else {
        FT.status = 200;
        const bool resuming = FT.resumeOffset != 0 || FT.rangeEnd != 0;
        const std::uint64_t start = resuming ? FT.resumeOffset : FHttp.Range().StartRange;
        const std::uint64_t end = resuming ? FT.rangeEnd : FHttp.Range().EndRange;
        const std::uint64_t size = static_cast<std::uint64_t>(info.st_size);
        const std::uint64_t stop = end != 0 ? std::min(end + 1, size) : size;
        // The size is what this read delivers, so that a resumed read can complete.
        remaining = stop > start ? stop - start : 0;
        FT.dataSize = static_cast<std::uint32_t>(remaining);
        ::lseek(file.Get(), static_cast<off_t>(start), SEEK_SET);
    }
    if (FHttp.MaxBodySize() != 0 && remaining > FHttp.MaxBodySize()) {
        Fail(TkuHTTPFailure::TooLarge);
        return false;
    }
    FDecision = OpenOutput();
    if (FDecision != TDecision::Receive) return FDecision == TDecision::Reconnect;
    while (remaining > 0) {
        CheckTerminated();
        const std::size_t wanted =
            static_cast<std::size_t>(std::min<std::uint64_t>(FBlockSize, remaining));
        const ssize_t got = ::read(file.Get(), FBuffer.data(), wanted);
        if (got <= 0) break;
        remaining -= static_cast<std::uint64_t>(got);
        if (!ProcessBlock(FBuffer.data(), static_cast<std::size_t>(got)))
            return FDecision == TDecision::Reconnect;
    }
    FinishBody();
    return FDecision == TDecision::Reconnect;
}

TkuHTTPWorker::TNext TkuHTTPWorker::RunConnection(const TUrl& url) {
    TkuCurlRequest request(*this);
    request.OpenSession(FHttp.Agent(), FHttp.Proxy(), FHttp.WorkOffline());
    if (!request.IsOpen()) {
        FT.success = false;
        return TNext::End;
    }
    CheckTerminated();
    request.Connect(url.userName, url.password,
                    FHttp.InternetOptions().Contains(TkuInternetOption::ioNoAuthentication));
    CheckTerminated();
    OpenRequest(request, url);
    CheckTerminated();
    if (FHttp.OnBeforeSendRequest) FHttp.OnBeforeSendRequest(&FHttp, request.Handle());
    AddHeaderBlock(request, false);
    return SendLoop(request);
}

bool TkuHTTPWorker::UsesPost() const {
    switch (FHttp.RequestMethod()) {
        case TkuHTTPRequestMethod::rmGET:
            return false;
        case TkuHTTPRequestMethod::rmPOST:
            return true;
        case TkuHTTPRequestMethod::rmAutoDetect:
            break;
    }
    return !FHttp.POSTData().empty() || FT.uploadPrepared;
}

void TkuHTTPWorker::OpenRequest(TkuCurlRequest& request, const TUrl& url) {
    const std::string path = url.path.empty() ? "/" : URLEncode(url.path);
    const std::string address = url.scheme + "://" + HostForURL(url.host) + ":" +
                                std::to_string(url.port) + path + url.extraInfo;
    request.OpenRequest(UsesPost() ? "POST" : "GET", address, url.scheme, FHttp.Referer(),
                        FHttp.AcceptTypes(), FHttp.CacheOptions(), FHttp.InternetOptions(),
                        static_cast<std::uint32_t>(FBlockSize));
    request.SetTrustedAuthorities(FHttp.CAFile());
    request.SetTimeouts(FHttp.Timeouts());
    const TkuHTTPProxy& proxy = FHttp.Proxy();
    if (proxy.AccessType != TkuHTTPAccessType::atDirect && !proxy.ProxyUsername.empty() &&
        !proxy.ProxyPassword.empty())
        request.SetProxyCredentials(proxy.ProxyUsername, proxy.ProxyPassword);
    if (!UsesPost()) return;
    const bool upload = FT.uploadPrepared && FT.uploadBody;
    request.AddHeaders(
        {upload ? FT.uploadHeader : "Content-Type: application/x-www-form-urlencoded"}, false);
}

void TkuHTTPWorker::AddHeaderBlock(TkuCurlRequest& request, bool probe) {
    std::vector<std::string> lines = FHttp.AddHeaders();
    const TkuHTTPRange& range = FHttp.Range();
    if (probe)
        lines.push_back(RangeHeaderLine(0, 0));
    else if (FT.resumeOffset != 0 || FT.rangeEnd != 0)
        lines.push_back(RangeHeaderLine(FT.resumeOffset, FT.rangeEnd));
    else if (range.StartRange != 0 || range.EndRange != 0)
        lines.push_back(RangeHeaderLine(range.StartRange, range.EndRange));
    request.AddHeaders(lines, FT.status == 416);
}

TkuHTTPWorker::TNext TkuHTTPWorker::SendLoop(TkuCurlRequest& request) {
    do {
        CheckTerminated();
        FT.tryAgain = false;
        FDecision = TDecision::None;
        const bool upload = UsesPost() && FT.uploadPrepared && FT.uploadBody;
        if (upload) {
            FT.dataSize = static_cast<std::uint32_t>(FT.uploadBody->size());
            UploadRewind();
            request.SetUploadSize(static_cast<std::uint64_t>(FT.uploadBody->size()));
        } else if (UsesPost()) {
            request.SetPostData(FHttp.POSTData());
        }
        const TkuHTTPFailure failure = request.Perform();
        if (FT.failure == TkuHTTPFailure::None) FT.failure = failure;
        CheckTerminated();
        switch (FDecision) {
            case TDecision::None:
                // Sending failed: no response at all (a refused tunnel counts as its status).
                if (request.ProxyConnectCode() == 407) FT.status = 407;
                FT.uploadBody.reset();
                FT.success = false;
                return TNext::End;
            case TDecision::TryAgain:
                ApplyRetryCredentials(request);
                break;
            case TDecision::Probe:
                return Probe(request);
            case TDecision::Reconnect:
                return TNext::Reconnect;
            case TDecision::End:
                return TNext::End;
            case TDecision::Receive:
                FinishBody();
                return FDecision == TDecision::Reconnect ? TNext::Reconnect : TNext::End;
        }
    } while (FT.tryAgain);
    return TNext::End;
}

void TkuHTTPWorker::ApplyRetryCredentials(TkuCurlRequest& request) {
    const TkuHTTPProxy& proxy = FHttp.Proxy();
    if (FRetryProxy)
        request.SetProxyCredentials(proxy.ProxyUsername, proxy.ProxyPassword);
    else
        request.SetCredentials(FHttp.Username(), FHttp.Password());
}

TkuHTTPWorker::TNext TkuHTTPWorker::Probe(TkuCurlRequest& request) {
    AddHeaderBlock(request, true);
    CheckTerminated();
    FProbing = true;
    FProbeLength = 0;
    request.Perform();
    FProbing = false;
    CheckTerminated();
    if (FProbeLength == FT.resumeOffset) return TNext::End;
    FT.status = -1;
    FT.resumeOffset = 0;
    return TNext::Reconnect;
}

bool TkuHTTPWorker::ResponseReady(long status, const TkuHTTPResponseHeaders& headers) {
    if (FProbing) {
        const bool whole = status == 200 || status == 206;
        FProbeLength = whole ? CountOf(headers.Query("Content-Length").value_or("")) : 0;
        return false;
    }
    if (!HandleStatus(status, headers)) return false;
    FT.uploadBody.reset();
    if (!QueryHeaders(headers)) return false;
    FDecision = OpenOutput();
    return FDecision == TDecision::Receive;
}

bool TkuHTTPWorker::HandleStatus(long status, const TkuHTTPResponseHeaders& headers) {
    CheckTerminated();
    FT.status = static_cast<std::int32_t>(status);
    FT.success = true;
    if (status == 416 && FT.resumeOffset != 0) {
        FDecision = TDecision::Probe;
        return false;
    }
    if (status == 401 && FHttp.OnPasswordRequest) {
        const auto authenticate = headers.Query("WWW-Authenticate");
        const std::string realm = authenticate ? RealmOf(*authenticate) : std::string();
        FHttp.Synchronize([&] {
            bool tryAgain = false;
            FHttp.OnPasswordRequest(&FHttp, realm, tryAgain);
            FT.tryAgain = tryAgain;
        });
        FRetryProxy = false;
    } else if (status == 407 && FHttp.OnProxyAuthenticationRequest) {
        FHttp.Synchronize([&] {
            bool tryAgain = false;
            TkuHTTPProxy& proxy = FHttp.Proxy();
            FHttp.OnProxyAuthenticationRequest(&FHttp, proxy.ProxyUsername, proxy.ProxyPassword,
                                               tryAgain);
            FT.tryAgain = tryAgain;
        });
        FRetryProxy = true;
    }
    if (!FT.tryAgain) return true;
    FDecision = TDecision::TryAgain;
    return false;
}

bool TkuHTTPWorker::QueryHeaders(const TkuHTTPResponseHeaders& headers) {
    CheckTerminated();
    FT.contentType = headers.Query("Content-Type").value_or("");
    const auto length = headers.Query("Content-Length");
    FT.dataSize = length ? CountOf(*length) : 0;
    FT.success = length.has_value();
    if (length && !Acceptable(CountOf<std::uint64_t>(*length))) return false;
    if (!headers.Query("Content-Range")) FT.resumeOffset = 0;
    if (!FHttp.OnHeaderInfo) return true;
    const auto text = [&](const char* name) { return headers.Query(name).value_or(""); };
    const auto date = [&](const char* name) { return InternetTimeToDateTime(text(name)); };
    const std::int32_t contentLength = static_cast<std::int32_t>(FT.dataSize + FT.resumeOffset);
    FHttp.Synchronize([&] {
        bool continueDownload = true;
        FHttp.OnHeaderInfo(&FHttp, FT.status, headers.RawCRLF().value_or(""), FT.contentType,
                           text("Content-Language"), text("Content-Encoding"), contentLength,
                           text("Location"), date("Date"), date("Last-Modified"), date("Expires"),
                           text("ETag"), continueDownload);
        FT.continueDownload = continueDownload;
    });
    if (FT.continueDownload) return true;
    FDecision = TDecision::End;
    return false;
}

TkuHTTPWorker::TDecision TkuHTTPWorker::OpenOutput() {
    CheckTerminated();
    if (IsBodyStatus(FT.status) && !FHttp.OutputFileName().empty()) {
        try {
            OpenFileOutput();
        } catch (const EFCreateError&) {
            // With a known length the completion reports the file; without, it goes to memory.
            if (FT.success) return TDecision::End;
            FT.SetOutput(std::make_unique<QBuffer>(), false, {});
        }
        if (FT.status == -1) {
            RestartFromZero();
            return TDecision::Reconnect;
        }
    } else {
        auto memory = std::make_unique<QBuffer>();
        if (FT.success)
            memory->buffer().reserve(
                static_cast<qsizetype>(std::min<std::uint64_t>(FT.dataSize, kMostPresize)));
        FT.SetOutput(std::move(memory), false, {});
    }
    FT.WithOutput([](QIODevice& output) {
        if (!output.isOpen()) output.open(QIODevice::ReadWrite);
    });
    StartReceiving();
    return TDecision::Receive;
}

void TkuHTTPWorker::OpenFileOutput() {
    const std::string& name = FHttp.OutputFileName();
    const bool fromStart = FT.resumeOffset == 0;
    auto file =
        std::make_unique<TkuFileStream>(name, fromStart, true, fromStart && FHttp.FreshOutput());
    if (FT.resumeOffset != 0 && (!file->seek(FT.resumeOffset) || file->pos() != FT.resumeOffset))
        FT.status = -1;
    else if (const TkuFileAttributes incomplete = FHttp.OutputFileAttributes().Incomplete();
             !(incomplete == kArchiveOnly))
        SetFileAttr(name, incomplete);
    FT.SetOutput(std::move(file), true, name);
}

// A resume that cannot continue the file (it cannot be positioned, or its last block
// differs from the server's) starts again from byte 0 into a truncated file, once.
void TkuHTTPWorker::RestartFromZero() {
    FT.tryAgain = true;
    FT.status = -1;
    FT.resumeOffset = 0;
    FT.ReleaseOutput(FHttp.OutputFileAttributes().Incomplete());
}

void TkuHTTPWorker::StartReceiving() {
    FVerify = FT.resumeOffset != 0 && FT.OutputIsFile();
    FT.bytesTransferred = 0;
    FBuffer.assign(FBlockSize, 0);
    FBuffered = 0;
}

bool TkuHTTPWorker::BodyReceived(const char* data, std::size_t size) {
    if (FDecision != TDecision::Receive) return false;
    while (size > 0) {
        if (FBuffered == 0 && size >= FBlockSize) {
            if (!ProcessBlock(data, FBlockSize)) return false;
            data += FBlockSize;
            size -= FBlockSize;
            continue;
        }
        const std::size_t take = std::min(size, FBlockSize - FBuffered);
        std::memcpy(FBuffer.data() + FBuffered, data, take);
        FBuffered += take;
        data += take;
        size -= take;
        if (FBuffered < FBlockSize) continue;
        FBuffered = 0;
        if (!ProcessBlock(FBuffer.data(), FBlockSize)) return false;
    }
    return true;
}

// A body is held to the size cap and the free-space margin before any of it is kept.
bool TkuHTTPWorker::Acceptable(std::uint64_t length) {
    if (IsBodyStatus(FT.status) && FHttp.MaxBodySize() != 0 && length > FHttp.MaxBodySize()) {
        Fail(TkuHTTPFailure::TooLarge);
        return false;
    }
    const bool toFile = IsBodyStatus(FT.status) && !FHttp.OutputFileName().empty();
    if (toFile && FHttp.FreeSpaceMargin() != 0 &&
        FreeSpaceFor(FHttp.OutputFileName()) < length + FHttp.FreeSpaceMargin()) {
        Fail(TkuHTTPFailure::NoDiskSpace);
        return false;
    }
    return true;
}

bool TkuHTTPWorker::TakesMore(std::size_t size) {
    const std::uint64_t total = std::uint64_t{FT.bytesTransferred} + size;
    TkuHTTPFailure failure = TkuHTTPFailure::None;
    if (FHttp.MaxBodySize() != 0 && total > FHttp.MaxBodySize()) failure = TkuHTTPFailure::TooLarge;
    // The free space is looked at once a mebibyte, for the next one.
    const bool look = total / kFreeSpaceInterval != FT.bytesTransferred / kFreeSpaceInterval;
    if (look && FHttp.FreeSpaceMargin() != 0 && FT.OutputIsFile() &&
        FreeSpaceFor(FT.OutputFileName()) < kFreeSpaceInterval + FHttp.FreeSpaceMargin())
        failure = TkuHTTPFailure::NoDiskSpace;
    if (failure == TkuHTTPFailure::None) return true;
    Fail(failure);
    return false;
}

void TkuHTTPWorker::Fail(TkuHTTPFailure failure) {
    FT.failure = failure;
    FT.success = false;
    FDecision = TDecision::End;
}

bool TkuHTTPWorker::ProcessBlock(const char* data, std::size_t size) {
    CheckTerminated();
    if (!TakesMore(size)) return false;
    FT.bytesTransferred += static_cast<std::uint32_t>(size);
    if (FVerify) {
        FVerify = false;
        bool verified = false;
        const bool held = FT.WithOutput(
            [&](QIODevice& output) { verified = VerifyResumedBlock(output, data, size); });
        if (!held) CheckTerminated();
        if (!verified) {
            RestartFromZero();
            FDecision = TDecision::Reconnect;
            return false;
        }
    } else {
        Written(FT.Write(data, size));
    }
    if (FHttp.OnProgress) FHttp.CallProgress(FT);
    return true;
}

void TkuHTTPWorker::Written(TkuHTTPTransfer::TWrite result) {
    if (result == TkuHTTPTransfer::TWrite::Released) CheckTerminated();
    if (result != TkuHTTPTransfer::TWrite::Failed) return;
    // A short write must never end as a complete download.
    FT.success = false;
    throw EWriteError();
}

bool TkuHTTPWorker::VerifyResumedBlock(QIODevice& output, const char* data, std::size_t size) {
    std::vector<char> onDisk(FBlockSize);
    const qint64 got = output.read(onDisk.data(), static_cast<qint64>(FBlockSize));
    return got == static_cast<qint64>(FBlockSize) && size == FBlockSize &&
           std::memcmp(onDisk.data(), data, FBlockSize) == 0;
}

void TkuHTTPWorker::FinishBody() {
    if (FBuffered > 0) {
        const std::size_t rest = std::exchange(FBuffered, 0);
        if (!ProcessBlock(FBuffer.data(), rest)) return;
    }
    Written(FT.Flush());
    FBuffer = {};
    FT.success = IsBodyStatus(FT.status) && FT.failure == TkuHTTPFailure::None;
    if (FT.success && FT.dataSize != 0 && FT.HasOutput())
        FT.success = FT.dataSize == FT.bytesTransferred;
}

std::size_t TkuHTTPWorker::UploadRead(char* buffer, std::size_t size) {
    CheckTerminated();
    const qint64 wanted = static_cast<qint64>(std::min(size, FBlockSize));
    const qint64 got = FT.uploadBody ? FT.uploadBody->read(buffer, wanted) : 0;
    if (got <= 0) return 0;
    FT.bytesTransferred += static_cast<std::uint32_t>(got);
    if (FHttp.OnUploadProgress) FHttp.CallUploadProgress(FT);
    return static_cast<std::size_t>(got);
}

bool TkuHTTPWorker::UploadRewind() {
    FT.bytesTransferred = 0;
    return FT.uploadBody && FT.uploadBody->seek(0);
}

bool TkuHTTPWorker::StopRequested() {
    return FHttp.FThread->Terminated();
}

void TkuHTTPWorker::StatusChanged(TkuHTTPStatus status) {
    if (!FHttp.OnStatusChanged || StopRequested()) return;
    const auto id = static_cast<std::uint32_t>(status);
    FHttp.OnStatusChanged(&FHttp, id, HTTPStatusText(id));
}

void TkuHTTPWorker::Redirected(const std::string& newURL) {
    if (FHttp.OnRedirected && !StopRequested()) FHttp.OnRedirected(&FHttp, newURL);
}

void TkuHTTPWorker::CheckTerminated() {
    if (!StopRequested()) return;
    FHttp.AbortAndReleaseStreams(FTransferRef);
    FHttp.FThread->Terminate(true);
}

}  // namespace tessaro
