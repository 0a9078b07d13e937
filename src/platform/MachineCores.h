#pragma once

#include <algorithm>
#include <thread>

namespace tessaro::platform {

// The cores this machine runs threads on; 1 when the system does not tell.
inline unsigned MachineCores() {
    return std::max(1u, std::thread::hardware_concurrency());
}

}  // namespace tessaro::platform
