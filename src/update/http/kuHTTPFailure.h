#pragma once

#include <cstdint>

namespace tessaro {

// Why a transfer ended without its whole answer, beyond what its HTTP status says.
// The completion events stay those of the status (a lost connection for 200 and 206,
// an unreachable host without a status); this tells their handlers which it was.
enum class TkuHTTPFailure : std::uint8_t {
    None,
    Stalled,          // less arrived within the receive timeout than the least rate asks
    TimedOut,         // the whole request outlasted its total timeout
    Cut,              // the body ended before its announced end, or its chunks broke off
    TooLarge,         // the body announced or passed the largest size accepted
    NoDiskSpace,      // writing on would leave less free space than the margin
    RedirectLoop,     // more redirects than are followed
    RedirectRefused,  // a redirect to a scheme the request may not follow
    Malformed,        // the answer was not one HTTP can read
    Failed,           // the worker itself failed, for example out of memory
};

}  // namespace tessaro
