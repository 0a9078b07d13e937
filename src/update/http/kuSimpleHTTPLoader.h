#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace tessaro {

class TkuHTTPPragmaNoCache;

// Fetches one URL's body as text, waiting at most the timeout (milliseconds, 0 = no
// limit) for each step of the transfer.
class TdySimpleHTTPLoader final {
public:
    TdySimpleHTTPLoader(const std::string& URL, std::int32_t timeout);
    ~TdySimpleHTTPLoader();
    TdySimpleHTTPLoader(const TdySimpleHTTPLoader&) = delete;
    TdySimpleHTTPLoader& operator=(const TdySimpleHTTPLoader&) = delete;

    // The body when the transfer ended in OnDone; empty otherwise.
    std::string Read();

private:
    std::unique_ptr<TkuHTTPPragmaNoCache> FHttp;
    std::string FResult;
};

// Empty for an empty URL, an HTTP error, an unreachable host or a timeout.
std::string HTTPReadString(const std::string& URL, std::int32_t timeout);

}  // namespace tessaro
