#pragma once

#include <string>

#include "update/http/kuHTTPTypes.h"

namespace tessaro {

// How the transfer reaches the server. Assign(nullptr) restores the defaults.
class TkuHTTPProxy final {
public:
    TkuHTTPAccessType AccessType = TkuHTTPAccessType::atPreconfig;
    int ProxyPort = 8080;
    std::string ProxyServer;
    std::string ProxyBypass = "127.0.0.1;";
    std::string ProxyUsername;
    std::string ProxyPassword;

    void Assign(const TkuHTTPProxy* source) { *this = source ? *source : TkuHTTPProxy(); }
    // Server and bypass list belong to the stored form only for a proxy in use.
    bool IsUseProxy() const { return AccessType == TkuHTTPAccessType::atUseProxy; }
};

}  // namespace tessaro
