#pragma once

#include <cstdint>

namespace tessaro {

// The values a progress event reports, derived from the counts of one transfer.
struct TkuHTTPProgressValues {
    std::uint8_t PercentsDone = 0;
    std::int32_t ElapsedTime = 0;  // whole seconds
    std::int32_t EstimatedTimeLeft = 0;
    float TransferRate = 0;  // KB/s; during the first second, the KB so far
};

// Offset is the resume offset for downloads (part of the whole file) and 0 for uploads.
TkuHTTPProgressValues PrepareProgressParams(std::uint32_t dataSize, std::uint32_t transferred,
                                            std::uint32_t offset, std::uint32_t elapsedMs);

}  // namespace tessaro
