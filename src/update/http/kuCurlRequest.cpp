#include "update/http/kuCurlRequest.h"

#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <mutex>

namespace tessaro {
namespace {

using std::chrono::milliseconds;

constexpr long kPollMs = 50;
constexpr long kMostRedirects = 20;
// Socket reads of at least this size; the worker cuts them into its own blocks.
constexpr long kLeastReceiveBuffer = 64 * 1024;

void InitialiseLibraryOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

// WinInet lists bypass entries separated by ';', libcurl by ','.
std::string NoProxyList(const std::string& bypass) {
    std::string list = bypass;
    std::replace(list.begin(), list.end(), ';', ',');
    while (!list.empty() && (list.back() == ',' || list.back() == ' ')) list.pop_back();
    return list;
}

std::string RedirectProtocols(const std::string& scheme, TkuInternetOptions options) {
    bool http = scheme == "http";
    bool https = scheme == "https";
    http = http || options.Contains(TkuInternetOption::ioIgnoreRedirectToHTTP);
    https = https || options.Contains(TkuInternetOption::ioIgnoreRedirectToHTTPS);
    if (http && https) return "http,https";
    return http ? "http" : "https";
}

std::vector<std::string> CacheHeaders(TkuCacheOptions cache) {
    std::vector<std::string> lines;
    if (cache.Contains(TkuCacheOption::coAlwaysReload)) lines.push_back("Cache-Control: no-cache");
    if (cache.Contains(TkuCacheOption::coAlwaysReload) ||
        cache.Contains(TkuCacheOption::coPragmaNoCache))
        lines.push_back("Pragma: no-cache");
    return lines;
}

}  // namespace

TkuCurlRequest::TkuCurlRequest(TkuCurlListener& listener) : FListener(listener) {
    InitialiseLibraryOnce();
}

TkuCurlRequest::~TkuCurlRequest() {
    if (FEasy) curl_easy_cleanup(FEasy);
    if (FMulti) curl_multi_cleanup(FMulti);
    curl_slist_free_all(FHeaderList);
}

void TkuCurlRequest::OpenSession(const std::string& agent, const TkuHTTPProxy& proxy,
                                 bool offline) {
    FEasy = curl_easy_init();
    FMulti = curl_multi_init();
    if (!IsOpen()) return;
    FOffline = offline;
    curl_easy_setopt(FEasy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(FEasy, CURLOPT_USERAGENT, agent.c_str());
    if (proxy.AccessType == TkuHTTPAccessType::atDirect) {
        curl_easy_setopt(FEasy, CURLOPT_PROXY, "");
    } else if (proxy.AccessType == TkuHTTPAccessType::atUseProxy) {
        const std::string server = proxy.ProxyServer + ":" + std::to_string(proxy.ProxyPort);
        curl_easy_setopt(FEasy, CURLOPT_PROXY, server.c_str());
        curl_easy_setopt(FEasy, CURLOPT_NOPROXY, NoProxyList(proxy.ProxyBypass).c_str());
    }
    curl_easy_setopt(FEasy, CURLOPT_SUPPRESS_CONNECT_HEADERS, 1L);
    curl_easy_setopt(FEasy, CURLOPT_HEADERFUNCTION, &OnHeader);
    curl_easy_setopt(FEasy, CURLOPT_HEADERDATA, this);
    curl_easy_setopt(FEasy, CURLOPT_WRITEFUNCTION, &OnWrite);
    curl_easy_setopt(FEasy, CURLOPT_WRITEDATA, this);
    curl_easy_setopt(FEasy, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(FEasy, CURLOPT_XFERINFOFUNCTION, &OnProgress);
    curl_easy_setopt(FEasy, CURLOPT_XFERINFODATA, this);
    curl_easy_setopt(FEasy, CURLOPT_OPENSOCKETFUNCTION, &OnOpenSocket);
    curl_easy_setopt(FEasy, CURLOPT_OPENSOCKETDATA, this);
    curl_easy_setopt(FEasy, CURLOPT_CLOSESOCKETFUNCTION, &OnCloseSocket);
    curl_easy_setopt(FEasy, CURLOPT_CLOSESOCKETDATA, this);
    curl_easy_setopt(FEasy, CURLOPT_PREREQFUNCTION, &OnPrerequest);
    curl_easy_setopt(FEasy, CURLOPT_PREREQDATA, this);
}

void TkuCurlRequest::Connect(const std::string& userName, const std::string& password,
                             bool noAuthentication) {
    if (!noAuthentication) SetCredentials(userName, password);
}

void TkuCurlRequest::SetCredentials(const std::string& userName, const std::string& password) {
    if (userName.empty() && password.empty()) return;
    curl_easy_setopt(FEasy, CURLOPT_HTTPAUTH, CURLAUTH_BASIC);
    curl_easy_setopt(FEasy, CURLOPT_USERNAME, userName.c_str());
    curl_easy_setopt(FEasy, CURLOPT_PASSWORD, password.c_str());
}

void TkuCurlRequest::SetProxyCredentials(const std::string& userName, const std::string& password) {
    curl_easy_setopt(FEasy, CURLOPT_PROXYAUTH, CURLAUTH_BASIC);
    curl_easy_setopt(FEasy, CURLOPT_PROXYUSERNAME, userName.c_str());
    curl_easy_setopt(FEasy, CURLOPT_PROXYPASSWORD, password.c_str());
}

void TkuCurlRequest::OpenRequest(const std::string& method, const std::string& url,
                                 const std::string& scheme, const std::string& referer,
                                 const std::string& acceptTypes, TkuCacheOptions cache,
                                 TkuInternetOptions options, std::uint32_t bufferSize) {
    curl_easy_setopt(FEasy, CURLOPT_URL, url.c_str());
    if (method == "POST") curl_easy_setopt(FEasy, CURLOPT_POST, 1L);
    if (!referer.empty()) curl_easy_setopt(FEasy, CURLOPT_REFERER, referer.c_str());
    FFollowRedirects = !options.Contains(TkuInternetOption::ioNoAutoRedirect);
    curl_easy_setopt(FEasy, CURLOPT_FOLLOWLOCATION, FFollowRedirects ? 1L : 0L);
    curl_easy_setopt(FEasy, CURLOPT_MAXREDIRS, kMostRedirects);
    curl_easy_setopt(FEasy, CURLOPT_REDIR_PROTOCOLS_STR,
                     RedirectProtocols(scheme, options).c_str());
    if (!options.Contains(TkuInternetOption::ioNoCookies))
        curl_easy_setopt(FEasy, CURLOPT_COOKIEFILE, "");
    if (options.Contains(TkuInternetOption::ioIgnoreCertificateInvalid))
        curl_easy_setopt(FEasy, CURLOPT_SSL_VERIFYHOST, 0L);
    if (options.Contains(TkuInternetOption::ioIgnoreCertificateDateInvalid) ||
        options.Contains(TkuInternetOption::ioIgnoreUnknownCertificateAuthority))
        curl_easy_setopt(FEasy, CURLOPT_SSL_VERIFYPEER, 0L);
    const long buffer = std::clamp<long>(bufferSize, kLeastReceiveBuffer, CURL_MAX_READ_SIZE);
    curl_easy_setopt(FEasy, CURLOPT_BUFFERSIZE, buffer);
    FHeaders = CacheHeaders(cache);
    FHeaders.push_back("Accept: " + acceptTypes);
    // The request goes out whole, as one message, without waiting for a go-ahead.
    FHeaders.push_back("Expect:");
    ApplyHeaders();
}

void TkuCurlRequest::SetTrustedAuthorities(const std::string& caFile) {
    if (caFile.empty()) return;
    curl_easy_setopt(FEasy, CURLOPT_CAINFO, caFile.c_str());
    // Debian's libcurl also trusts its built-in CA folder unless told otherwise.
    curl_easy_setopt(FEasy, CURLOPT_CAPATH, nullptr);
}

void TkuCurlRequest::SetTimeouts(const TkuHTTPTimeouts& timeouts) {
    if (timeouts.ConnectTimeout != 0)
        curl_easy_setopt(FEasy, CURLOPT_CONNECTTIMEOUT_MS, long{timeouts.ConnectTimeout});
    curl_easy_setopt(FEasy, CURLOPT_TIMEOUT_MS, long{timeouts.TotalTimeout});
    FReceiveTimeout = milliseconds(timeouts.ReceiveTimeout);
    FSendTimeout = milliseconds(timeouts.SendTimeout);
    FLeastRate = timeouts.LeastRate;
}

void TkuCurlRequest::AddHeaders(const std::vector<std::string>& lines, bool replace) {
    for (const std::string& line : lines) {
        const std::string name = line.substr(0, line.find(':') + 1);
        if (replace)
            std::erase_if(FHeaders, [&](const std::string& old) { return old.starts_with(name); });
        FHeaders.push_back(line);
    }
    ApplyHeaders();
}

void TkuCurlRequest::ApplyHeaders() {
    curl_slist* list = nullptr;
    for (const std::string& line : FHeaders) list = curl_slist_append(list, line.c_str());
    curl_easy_setopt(FEasy, CURLOPT_HTTPHEADER, list);
    curl_slist_free_all(FHeaderList);
    FHeaderList = list;
}

void TkuCurlRequest::SetPostData(const std::string& data) {
    curl_easy_setopt(FEasy, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(data.size()));
    curl_easy_setopt(FEasy, CURLOPT_COPYPOSTFIELDS, data.c_str());
}

void TkuCurlRequest::SetUploadSize(std::uint64_t size) {
    curl_easy_setopt(FEasy, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(size));
    curl_easy_setopt(FEasy, CURLOPT_READFUNCTION, &OnRead);
    curl_easy_setopt(FEasy, CURLOPT_READDATA, this);
    curl_easy_setopt(FEasy, CURLOPT_SEEKFUNCTION, &OnSeek);
    curl_easy_setopt(FEasy, CURLOPT_SEEKDATA, this);
    FUploading = true;
}

// The easy handle driven by a private multi handle: the same loop curl_easy_perform
// runs, but with waits short enough that a stop request is seen within 50 ms even
// when the peer sends nothing.
TkuHTTPFailure TkuCurlRequest::Perform() {
    if (FOffline) return TkuHTTPFailure::None;
    FCaught = nullptr;
    FStop = TStop::None;
    FSending = FUploading;
    FRedirected = false;
    FInBody = false;
    FResult = CURLE_OK;
    FResponse.Clear();
    Touch();
    FListener.StatusChanged(TkuHTTPStatus::ResolvingName);
    curl_multi_add_handle(FMulti, FEasy);
    int running = 1;
    while (running != 0 && !FCaught && FStop == TStop::None) {
        curl_multi_perform(FMulti, &running);
        if (running == 0 || FCaught) break;
        if (FListener.StopRequested())
            FStop = TStop::Listener;
        else if (PauseTooLong())
            FStop = TStop::Timeout;
        else
            curl_multi_poll(FMulti, nullptr, 0, kPollMs, nullptr);
    }
    int left = 0;
    while (CURLMsg* message = curl_multi_info_read(FMulti, &left))
        if (message->msg == CURLMSG_DONE) FResult = message->data.result;
    curl_multi_remove_handle(FMulti, FEasy);
    if (FCaught) std::rethrow_exception(FCaught);
    return Outcome();
}

TkuHTTPFailure TkuCurlRequest::Outcome() const {
    if (FStop == TStop::Timeout) return TkuHTTPFailure::Stalled;
    if (FStop == TStop::Listener) return TkuHTTPFailure::None;
    switch (FResult) {
        case CURLE_OPERATION_TIMEDOUT:
            return TkuHTTPFailure::TimedOut;
        case CURLE_PARTIAL_FILE:
        case CURLE_RECV_ERROR:
            return TkuHTTPFailure::Cut;
        case CURLE_TOO_MANY_REDIRECTS:
            return TkuHTTPFailure::RedirectLoop;
        case CURLE_UNSUPPORTED_PROTOCOL:
            return FRedirected ? TkuHTTPFailure::RedirectRefused : TkuHTTPFailure::None;
        case CURLE_GOT_NOTHING:
        case CURLE_WEIRD_SERVER_REPLY:
        case CURLE_BAD_CONTENT_ENCODING:
        case CURLE_HTTP2:
        case CURLE_HTTP2_STREAM:
            return TkuHTTPFailure::Malformed;
        default:
            return TkuHTTPFailure::None;
    }
}

long TkuCurlRequest::ProxyConnectCode() const {
    long code = 0;
    curl_easy_getinfo(FEasy, CURLINFO_HTTP_CONNECTCODE, &code);
    return code;
}

bool TkuCurlRequest::PauseTooLong() {
    const milliseconds limit = FSending ? FSendTimeout : FReceiveTimeout;
    if (limit.count() == 0) return false;
    const auto now = std::chrono::steady_clock::now();
    return now - FLastActivity > limit || (!FSending && TooSlow(now));
}

// Each receive timeout is a window in which the body must bring its share.
bool TkuCurlRequest::TooSlow(std::chrono::steady_clock::time_point now) {
    if (FLeastRate == 0 || !FInBody || now - FWindowStart < FReceiveTimeout) return false;
    const std::uint64_t wanted =
        std::uint64_t{FLeastRate} * static_cast<std::uint64_t>(FReceiveTimeout.count()) / 1000;
    const bool slow = FWindowBytes < wanted;
    FWindowStart = now;
    FWindowBytes = 0;
    return slow;
}

template <typename Result, typename Call>
Result TkuCurlRequest::Guarded(Result failure, Call&& call) {
    if (FCaught) return failure;
    try {
        return call();
    } catch (...) {
        // Exceptions must not cross libcurl's frames: Perform raises it again.
        FCaught = std::current_exception();
        return failure;
    }
}

std::size_t TkuCurlRequest::OnHeader(char* data, std::size_t size, std::size_t count, void* self) {
    auto& request = *static_cast<TkuCurlRequest*>(self);
    return request.Guarded(
        std::size_t{0}, [&] { return request.HeaderLine(std::string_view(data, size * count)); });
}

std::size_t TkuCurlRequest::HeaderLine(std::string_view line) {
    Touch();
    FSending = false;
    if (line.starts_with("HTTP/")) {
        FResponse.Clear();
        if (FAwaitingResponse) {
            FAwaitingResponse = false;
            FListener.StatusChanged(TkuHTTPStatus::RequestSent);
            FListener.StatusChanged(TkuHTTPStatus::ReceivingResponse);
        }
    }
    FResponse.AddLine(line);
    if (line == "\r\n" || line == "\n") ResponseHeadersEnded();
    return FStop == TStop::Listener ? 0 : line.size();
}

void TkuCurlRequest::ResponseHeadersEnded() {
    long status = 0;
    curl_easy_getinfo(FEasy, CURLINFO_RESPONSE_CODE, &status);
    FListener.StatusChanged(TkuHTTPStatus::ResponseReceived);
    if (status / 100 == 1) return;  // an interim answer; the real one follows
    if (IsFollowedRedirect(status)) {
        FRedirected = true;
        FListener.StatusChanged(TkuHTTPStatus::Redirect);
        FListener.Redirected(RedirectTarget());
        FAwaitingResponse = true;
        return;
    }
    // The least rate holds for the body alone: redirects and slow answers are pauses.
    FInBody = true;
    FWindowStart = std::chrono::steady_clock::now();
    FWindowBytes = 0;
    if (!FListener.ResponseReady(status, FResponse)) FStop = TStop::Listener;
}

bool TkuCurlRequest::IsFollowedRedirect(long status) const {
    return FFollowRedirects && status / 100 == 3 && status != 304 &&
           FResponse.Query("Location").has_value();
}

std::string TkuCurlRequest::RedirectTarget() const {
    char* current = nullptr;
    curl_easy_getinfo(FEasy, CURLINFO_EFFECTIVE_URL, &current);
    const std::string location = FResponse.Query("Location").value_or("");
    CURLU* url = curl_url();
    std::string target = location;
    char* resolved = nullptr;
    if (current && curl_url_set(url, CURLUPART_URL, current, 0) == CURLUE_OK &&
        curl_url_set(url, CURLUPART_URL, location.c_str(), 0) == CURLUE_OK &&
        curl_url_get(url, CURLUPART_URL, &resolved, 0) == CURLUE_OK)
        target = resolved;
    curl_free(resolved);
    curl_url_cleanup(url);
    return target;
}

std::size_t TkuCurlRequest::OnWrite(char* data, std::size_t size, std::size_t count, void* self) {
    auto& request = *static_cast<TkuCurlRequest*>(self);
    return request.Guarded(std::size_t{0}, [&] {
        const std::size_t bytes = size * count;
        const bool taken = request.FListener.BodyReceived(data, bytes);
        request.Touch();
        request.FWindowBytes += bytes;
        if (taken) return bytes;
        request.FStop = TStop::Listener;
        return std::size_t{0};
    });
}

std::size_t TkuCurlRequest::OnRead(char* data, std::size_t size, std::size_t count, void* self) {
    auto& request = *static_cast<TkuCurlRequest*>(self);
    return request.Guarded(std::size_t{CURL_READFUNC_ABORT}, [&] {
        const std::size_t given = request.FListener.UploadRead(data, size * count);
        request.Touch();
        return given;
    });
}

int TkuCurlRequest::OnSeek(void* self, curl_off_t offset, int origin) {
    auto& request = *static_cast<TkuCurlRequest*>(self);
    if (offset != 0 || origin != SEEK_SET) return CURL_SEEKFUNC_CANTSEEK;
    return request.Guarded(int{CURL_SEEKFUNC_FAIL}, [&] {
        return request.FListener.UploadRewind() ? CURL_SEEKFUNC_OK : CURL_SEEKFUNC_FAIL;
    });
}

int TkuCurlRequest::OnProgress(void* self, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    auto& request = *static_cast<TkuCurlRequest*>(self);
    return request.Guarded(1, [&] {
        if (!request.FListener.StopRequested()) return 0;
        request.FStop = TStop::Listener;
        return 1;
    });
}

curl_socket_t TkuCurlRequest::OnOpenSocket(void* self, curlsocktype, curl_sockaddr* address) {
    auto& request = *static_cast<TkuCurlRequest*>(self);
    request.Guarded(0, [&] {
        request.FListener.StatusChanged(TkuHTTPStatus::NameResolved);
        request.FListener.StatusChanged(TkuHTTPStatus::ConnectingToServer);
        return 0;
    });
    if (request.FCaught) return CURL_SOCKET_BAD;
    return ::socket(address->family, address->socktype | SOCK_CLOEXEC, address->protocol);
}

int TkuCurlRequest::OnCloseSocket(void* self, curl_socket_t socket) {
    auto& request = *static_cast<TkuCurlRequest*>(self);
    const auto report = [&](TkuHTTPStatus status) {
        // Also called from clean-up, where nothing may escape.
        try {
            request.FListener.StatusChanged(status);
        } catch (...) {
        }
    };
    report(TkuHTTPStatus::ClosingConnection);
    const int result = ::close(socket);
    report(TkuHTTPStatus::ConnectionClosed);
    return result;
}

int TkuCurlRequest::OnPrerequest(void* self, char*, char*, int, int) {
    auto& request = *static_cast<TkuCurlRequest*>(self);
    return request.Guarded(int{CURL_PREREQFUNC_ABORT}, [&] {
        request.FListener.StatusChanged(TkuHTTPStatus::Connected);
        request.FListener.StatusChanged(TkuHTTPStatus::SendingRequest);
        request.FAwaitingResponse = true;
        return int{CURL_PREREQFUNC_OK};
    });
}

}  // namespace tessaro
