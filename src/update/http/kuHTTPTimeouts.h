#pragma once

#include <cstdint>

namespace tessaro {

// Milliseconds; 0 leaves the transfer library's default (no limit).
class TkuHTTPTimeouts final {
public:
    std::uint32_t ConnectTimeout = 0;
    std::uint32_t ReceiveTimeout = 0;
    std::uint32_t SendTimeout = 0;

    void Assign(const TkuHTTPTimeouts* source) { *this = source ? *source : TkuHTTPTimeouts(); }
};

}  // namespace tessaro
