#pragma once

#include <cstdint>

namespace tessaro {

// How long an update may wait and how much it may take in. The defaults are what
// users get; the environment variable named beside a value replaces it, so that
// tests need not wait half a minute for a stalled server.
struct TkuUpdateBounds {
    std::uint32_t ConnectMs = 15000;  // TESSARO_UPDATE_CONNECT_TIMEOUT_MS
    // No byte for this long, or less than LeastRate over it, is a stalled transfer.
    std::uint32_t StallMs = 30000;   // TESSARO_UPDATE_STALL_TIMEOUT_MS
    std::uint32_t LeastRate = 1024;  // bytes a second; TESSARO_UPDATE_LEAST_RATE
    // The whole query: the info file and its signature.
    std::uint32_t CheckMs = 55000;            // TESSARO_UPDATE_CHECK_TIMEOUT_MS
    std::uint64_t InfoFileCap = 1024 * 1024;  // TESSARO_UPDATE_MAX_INFO_SIZE
    std::uint64_t SignatureCap = 4096;        // TESSARO_UPDATE_MAX_SIGNATURE_SIZE
    // The build's TESSARO_UPDATE_MAX_FILE_SIZE, or the environment's.
    std::uint64_t FileCap = 0;
    std::uint64_t FreeSpaceMargin = 64 * 1024 * 1024;  // TESSARO_UPDATE_FREE_SPACE_MARGIN

    // The defaults, with the file cap the program was built with.
    static TkuUpdateBounds Defaults();
    // The defaults with every value the environment sets; a value that is not a
    // whole number is ignored.
    static TkuUpdateBounds FromEnvironment();
};

}  // namespace tessaro
