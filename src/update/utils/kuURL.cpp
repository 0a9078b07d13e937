#include "update/utils/kuURL.h"

#include <optional>

#include "platform/Paths.h"
#include "update/utils/kuText.h"

namespace tessaro {
namespace {

// Capacities of the cracker's buffers, less the terminating zero.
constexpr std::size_t kMostSchemeBytes = 32;
constexpr std::size_t kMostHostBytes = 256;
constexpr std::size_t kMostUserNameBytes = 128;
constexpr std::size_t kMostPasswordBytes = 128;
constexpr std::size_t kMostPathBytes = 2048;
constexpr std::size_t kMostExtraInfoBytes = 2048;

struct UrlParts {
    std::string scheme;
    std::string host;
    std::string path;
    std::string userName;
    std::string password;
    std::string extraInfo;
    std::uint16_t port = 0;
};

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// %xx becomes its byte; a malformed escape stays as written, and %00 is
// dropped because the parts are zero-terminated texts.
std::string Unescape(std::string_view text) {
    std::string plain;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const int high = text[i] == '%' && i + 2 < text.size() ? HexValue(text[i + 1]) : -1;
        const int low = high >= 0 ? HexValue(text[i + 2]) : -1;
        if (low < 0) {
            plain += text[i];
            continue;
        }
        if (high * 16 + low != 0) plain += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return plain;
}

bool IsValidScheme(std::string_view scheme) {
    if (scheme.empty() || scheme.size() > kMostSchemeBytes) return false;
    const auto isAlpha = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
    if (!isAlpha(scheme.front())) return false;
    for (char c : scheme)
        if (!isAlpha(c) && !(c >= '0' && c <= '9') && c != '+' && c != '-' && c != '.')
            return false;
    return true;
}

bool IsValidHost(std::string_view host) {
    if (host.size() > kMostHostBytes) return false;
    for (char c : host)
        if (static_cast<unsigned char>(c) <= ' ' || c == '@' || c == '\\') return false;
    return true;
}

std::uint16_t DefaultPort(const std::string& scheme) {
    const std::string lower = platform::ToLowerAscii(scheme);
    if (lower == "http") return 80;
    if (lower == "https") return 443;
    if (lower == "ftp") return 21;
    return 0;
}

std::optional<std::uint16_t> ParsePort(std::string_view text) {
    if (text.empty() || text.size() > 5) return std::nullopt;
    for (char c : text)
        if (c < '0' || c > '9') return std::nullopt;
    const int value = StrToIntDef(text, -1);
    if (value < 0 || value > 65535) return std::nullopt;
    return static_cast<std::uint16_t>(value);
}

// "host", "host:port", "[v6]" or "[v6]:port".
bool SplitHostAndPort(std::string_view hostPort, UrlParts& parts) {
    const std::size_t bracket = hostPort.rfind(']');
    std::size_t colon = hostPort.rfind(':');
    if (bracket != std::string_view::npos && colon != std::string_view::npos && colon < bracket)
        colon = std::string_view::npos;
    parts.port = DefaultPort(parts.scheme);
    if (colon != std::string_view::npos) {
        const std::string_view portText = hostPort.substr(colon + 1);
        if (!portText.empty()) {
            const auto port = ParsePort(portText);
            if (!port) return false;
            parts.port = *port;
        }
        hostPort = hostPort.substr(0, colon);
    }
    parts.host = std::string(hostPort);
    return IsValidHost(parts.host);
}

void SplitUserInfo(std::string_view userInfo, UrlParts& parts) {
    const std::size_t colon = userInfo.find(':');
    parts.userName = Unescape(userInfo.substr(0, colon));
    if (colon != std::string_view::npos) parts.password = Unescape(userInfo.substr(colon + 1));
}

std::optional<UrlParts> CrackUrl(std::string_view url) {
    const std::size_t schemeEnd = url.find("://");
    UrlParts parts;
    parts.scheme = std::string(url.substr(0, schemeEnd));
    if (!IsValidScheme(parts.scheme)) return std::nullopt;
    std::string_view rest = url.substr(schemeEnd + 3);
    const std::size_t authorityEnd = rest.find_first_of("/?#");
    std::string_view authority = rest.substr(0, authorityEnd);
    rest = authorityEnd == std::string_view::npos ? std::string_view() : rest.substr(authorityEnd);
    if (const std::size_t at = authority.rfind('@'); at != std::string_view::npos) {
        SplitUserInfo(authority.substr(0, at), parts);
        authority = authority.substr(at + 1);
    }
    if (!SplitHostAndPort(authority, parts)) return std::nullopt;
    if (parts.host.empty() && platform::ToLowerAscii(parts.scheme) != "file") return std::nullopt;
    const std::size_t extraStart = rest.find_first_of("?#");
    parts.path = Unescape(rest.substr(0, extraStart));
    if (extraStart != std::string_view::npos) parts.extraInfo = Unescape(rest.substr(extraStart));
    if (parts.userName.size() > kMostUserNameBytes || parts.password.size() > kMostPasswordBytes ||
        parts.path.size() > kMostPathBytes || parts.extraInfo.size() > kMostExtraInfoBytes)
        return std::nullopt;
    return parts;
}

}  // namespace

bool ParseURL(std::string_view url, std::string& scheme, std::string& host, std::string& path,
              std::string& userName, std::string& password, std::string& extraInfo,
              std::uint16_t& port) {
    const std::string full =
        url.find("://") == std::string_view::npos ? "http://" + std::string(url) : std::string(url);
    const auto parts = CrackUrl(full);
    if (!parts) return false;
    scheme = parts->scheme;
    host = parts->host;
    path = parts->path;
    userName = parts->userName;
    password = parts->password;
    extraInfo = parts->extraInfo;
    port = parts->port;
    return true;
}

std::string URLToHostName(std::string_view url) {
    std::string scheme, host, path, userName, password, extraInfo;
    std::uint16_t port = 0;
    ParseURL(url, scheme, host, path, userName, password, extraInfo, port);
    return host;
}

std::string URLToFileName(std::string_view url) {
    const std::size_t separator = url.find_last_of("/\\");
    return std::string(separator == std::string_view::npos ? url : url.substr(separator + 1));
}

}  // namespace tessaro
