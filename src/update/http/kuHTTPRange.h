#pragma once

#include <cstdint>

namespace tessaro {

// Bytes StartRange..EndRange of the resource; EndRange 0 means up to the end.
class TkuHTTPRange final {
public:
    std::uint32_t StartRange = 0;
    std::uint32_t EndRange = 0;

    void Assign(const TkuHTTPRange* source) { *this = source ? *source : TkuHTTPRange(); }
};

}  // namespace tessaro
