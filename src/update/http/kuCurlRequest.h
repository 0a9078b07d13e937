#pragma once

#include <curl/curl.h>

#include <chrono>
#include <cstdint>
#include <exception>
#include <string>
#include <vector>

#include "update/http/kuHTTPFailure.h"
#include "update/http/kuHTTPProxy.h"
#include "update/http/kuHTTPResponseHeaders.h"
#include "update/http/kuHTTPStatusText.h"
#include "update/http/kuHTTPTimeouts.h"
#include "update/http/kuHTTPTypes.h"

namespace tessaro {

// What a request reports while it runs; every call comes on the thread that runs
// Perform. An exception thrown by a call ends the request and leaves Perform.
class TkuCurlListener {
public:
    virtual ~TkuCurlListener() = default;
    virtual void StatusChanged(TkuHTTPStatus status) = 0;
    virtual void Redirected(const std::string& newURL) = 0;
    // The final response's status and headers are in; false ends the request here.
    virtual bool ResponseReady(long status, const TkuHTTPResponseHeaders& headers) = 0;
    // False ends the request.
    virtual bool BodyReceived(const char* data, std::size_t size) = 0;
    // Fills the buffer with the next bytes of the request body; 0 at its end.
    virtual std::size_t UploadRead(char* buffer, std::size_t size) = 0;
    virtual bool UploadRewind() = 0;
    // Polled at least every 50 ms while the request runs, also when nothing moves.
    virtual bool StopRequested() = 0;
};

// One connection's request on one libcurl easy handle. Each member is named after the
// step of the transfer it stands for and maps that step onto libcurl; this is the one
// place where that mapping is made:
//
// - session: user agent; access type preconfigured = libcurl's own reading of the
//   environment's proxy variables (http_proxy, https_proxy, no_proxy), direct = no
//   proxy at all, proxy = host:port with the bypass list (';' or ',' separated) as
//   libcurl's no-proxy list. Offline mode has no cache to read from, so a network
//   request then fails like an unreachable host.
// - connection: user name and password, sent as Basic credentials with each request
//   (never to another host after a redirect); none with ioNoAuthentication. A proxy's
//   refusal of a tunnel (https through a proxy) ends the request with status 407.
// - go online: Linux has no prompt for it; "offline" means no network interface
//   (IsGlobalOffline), and the request is simply tried.
// - request flags: https verifies the peer; ioIgnoreCertificateInvalid stops the host
//   name check, ioIgnoreCertificateDateInvalid and ioIgnoreUnknownCertificateAuthority
//   stop the chain check (OpenSSL checks dates with the chain). A CA file replaces the
//   system's trust store, its folder included, so that only those authorities vouch for
//   the server. coAlwaysReload sends
//   "Cache-Control: no-cache" and "Pragma: no-cache", coPragmaNoCache "Pragma: no-cache";
//   the other cache options have no meaning without a cache. ioNoAutoRedirect stops
//   redirects; redirects keep the scheme unless ioIgnoreRedirectToHTTP/HTTPS allows
//   the other. Cookies live for the request unless ioNoCookies. ioKeepConnection is
//   libcurl's default.
// - timeouts: connect = libcurl's connect timeout; receive and send = the longest
//   pause without a byte while waiting for or reading the response, or while sending
//   the body; a pause longer than that fails the request, and so does a body that
//   brings less than the least rate over a receive timeout; total = libcurl's timeout
//   of the whole request.
// - status: 10/11 before the name lookup and when the address is known, 20 before
//   connecting, 21/30 once connected, 31/40 at the first line of a response, 41 at its
//   end, 110 at a redirect that is followed, 50/51 around closing a socket.
class TkuCurlRequest final {
public:
    explicit TkuCurlRequest(TkuCurlListener& listener);
    ~TkuCurlRequest();
    TkuCurlRequest(const TkuCurlRequest&) = delete;
    TkuCurlRequest& operator=(const TkuCurlRequest&) = delete;

    bool IsOpen() const { return FEasy && FMulti; }
    // The easy handle, for handlers that want to set further options.
    void* Handle() const { return FEasy; }

    void OpenSession(const std::string& agent, const TkuHTTPProxy& proxy, bool offline);
    void Connect(const std::string& userName, const std::string& password, bool noAuthentication);
    void OpenRequest(const std::string& method, const std::string& url, const std::string& scheme,
                     const std::string& referer, const std::string& acceptTypes,
                     TkuCacheOptions cache, TkuInternetOptions options, std::uint32_t bufferSize);
    // PEM certificate authorities to trust instead of the system's; empty keeps the system's.
    void SetTrustedAuthorities(const std::string& caFile);
    void SetTimeouts(const TkuHTTPTimeouts& timeouts);
    void SetCredentials(const std::string& userName, const std::string& password);
    void SetProxyCredentials(const std::string& userName, const std::string& password);
    // Header lines without CR LF; replace drops the lines set before.
    void AddHeaders(const std::vector<std::string>& lines, bool replace);
    void SetPostData(const std::string& data);
    void SetUploadSize(std::uint64_t size);

    // Runs the request until the response ends, the listener or a timeout ends it, or
    // the connection fails; what happened reaches the listener. None only when the
    // answer arrived whole or the listener ended it; a connection that never came
    // about is None too, since no answer was announced.
    TkuHTTPFailure Perform();
    // The status of a CONNECT through a proxy when the proxy refused the tunnel.
    long ProxyConnectCode() const;

private:
    static std::size_t OnHeader(char* data, std::size_t size, std::size_t count, void* self);
    static std::size_t OnWrite(char* data, std::size_t size, std::size_t count, void* self);
    static std::size_t OnRead(char* data, std::size_t size, std::size_t count, void* self);
    static int OnSeek(void* self, curl_off_t offset, int origin);
    static int OnProgress(void* self, curl_off_t, curl_off_t, curl_off_t, curl_off_t);
    static curl_socket_t OnOpenSocket(void* self, curlsocktype, curl_sockaddr* address);
    static int OnCloseSocket(void* self, curl_socket_t socket);
    static int OnPrerequest(void* self, char*, char*, int, int);

    std::size_t HeaderLine(std::string_view line);
    void ResponseHeadersEnded();
    bool IsFollowedRedirect(long status) const;
    std::string RedirectTarget() const;
    bool PauseTooLong();
    bool TooSlow(std::chrono::steady_clock::time_point now);
    TkuHTTPFailure Outcome() const;
    void Touch() { FLastActivity = std::chrono::steady_clock::now(); }
    template <typename Result, typename Call>
    Result Guarded(Result failure, Call&& call);
    void ApplyHeaders();

    TkuCurlListener& FListener;
    CURLM* FMulti = nullptr;
    CURL* FEasy = nullptr;
    curl_slist* FHeaderList = nullptr;
    std::vector<std::string> FHeaders;
    TkuHTTPResponseHeaders FResponse;
    std::exception_ptr FCaught;
    bool FOffline = false;
    bool FFollowRedirects = true;
    enum class TStop { None, Listener, Timeout };

    bool FAwaitingResponse = false;
    TStop FStop = TStop::None;
    bool FUploading = false;
    bool FSending = false;
    std::chrono::milliseconds FReceiveTimeout{0};
    std::chrono::milliseconds FSendTimeout{0};
    std::uint32_t FLeastRate = 0;
    std::chrono::steady_clock::time_point FLastActivity;
    std::chrono::steady_clock::time_point FWindowStart;
    std::uint64_t FWindowBytes = 0;
    bool FRedirected = false;
    bool FInBody = false;
    CURLcode FResult = CURLE_OK;
};

}  // namespace tessaro
