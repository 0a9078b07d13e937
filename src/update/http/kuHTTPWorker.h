#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "update/http/kuCurlRequest.h"
#include "update/http/kuHTTPTransfer.h"

namespace tessaro {

class TkuCustomHTTP;

// The worker routine of one transfer (ThreadExecute), run on the component's worker
// thread. Termination checks stop it through the component's thread; an abandoned
// worker ends at its next check without touching the component again.
class TkuHTTPWorker final : private TkuCurlListener {
public:
    TkuHTTPWorker(TkuCustomHTTP& http, std::shared_ptr<TkuHTTPTransfer> transfer);

    void Run();

private:
    // What a pass over one connection leads to.
    enum class TNext { End, Reconnect };
    // What the response handler decided for the pass that runs.
    enum class TDecision { None, Receive, TryAgain, Probe, Reconnect, End };

    struct TUrl {
        std::string scheme, host, path, userName, password, extraInfo;
        std::uint16_t port = 0;
    };

    TUrl SplitURL() const;
    bool ReadLocalFile(const std::string& path);
    TNext RunConnection(const TUrl& url);
    void OpenRequest(TkuCurlRequest& request, const TUrl& url);
    void AddHeaderBlock(TkuCurlRequest& request, bool probe);
    TNext SendLoop(TkuCurlRequest& request);
    TNext Probe(TkuCurlRequest& request);
    bool ProxyRefusedTunnel(TkuCurlRequest& request);
    void FinishBody();
    void ApplyRetryCredentials(TkuCurlRequest& request);

    // Steps between the response's headers and its body.
    bool HandleStatus(long status, const TkuHTTPResponseHeaders& headers);
    bool QueryHeaders(const TkuHTTPResponseHeaders& headers);
    TDecision OpenOutput();
    void OpenFileOutput();
    void StartReceiving();
    bool Acceptable(std::uint64_t length);
    bool TakesMore(std::size_t size);
    void Fail(TkuHTTPFailure failure);
    bool ProcessBlock(const char* data, std::size_t size);
    void Written(TkuHTTPTransfer::TWrite result);
    bool VerifyResumedBlock(QIODevice& output, const char* data, std::size_t size);
    void RestartFromZero();

    void CheckTerminated();
    bool UsesPost() const;

    void StatusChanged(TkuHTTPStatus status) override;
    void Redirected(const std::string& newURL) override;
    bool ResponseReady(long status, const TkuHTTPResponseHeaders& headers) override;
    bool BodyReceived(const char* data, std::size_t size) override;
    std::size_t UploadRead(char* buffer, std::size_t size) override;
    bool UploadRewind() override;
    bool StopRequested() override;

    TkuCustomHTTP& FHttp;
    const std::shared_ptr<TkuHTTPTransfer> FTransferRef;
    TkuHTTPTransfer& FT;
    std::size_t FBlockSize = 4096;
    std::vector<char> FBuffer;
    std::size_t FBuffered = 0;
    bool FVerify = false;
    bool FProbing = false;
    std::uint32_t FProbeLength = 0;
    bool FResponseSeen = false;
    TDecision FDecision = TDecision::None;
    bool FRetryProxy = false;
};

}  // namespace tessaro
