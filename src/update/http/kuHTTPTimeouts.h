#pragma once

#include <cstdint>

namespace tessaro {

// Milliseconds; 0 leaves the transfer library's default (no limit).
class TkuHTTPTimeouts final {
public:
    std::uint32_t ConnectTimeout = 0;
    std::uint32_t ReceiveTimeout = 0;
    std::uint32_t SendTimeout = 0;
    // The whole request, from the name lookup to the body's last byte.
    std::uint32_t TotalTimeout = 0;
    // Bytes a second that a body must keep up, measured over each ReceiveTimeout; 0:
    // any byte within ReceiveTimeout will do. A trickle never trips a pause alone.
    std::uint32_t LeastRate = 0;

    void Assign(const TkuHTTPTimeouts* source) { *this = source ? *source : TkuHTTPTimeouts(); }
};

}  // namespace tessaro
