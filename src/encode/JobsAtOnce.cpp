#include "encode/JobsAtOnce.h"

#include <algorithm>
#include <cmath>

namespace tessaro {
namespace {

// Cores one mencoder job keeps busy (a 720p source scaled to a player's frame).
constexpr double kCoresPerJob = 1.2;

int AutoJobsAtOnce(unsigned cores) {
    return std::max(1, static_cast<int>(std::lround(cores / kCoresPerJob)));
}

}  // namespace

int JobsAtOnce(int setting, unsigned cores, const JobList&) {
    if (setting != kJobsAtOnceAuto) return std::max(1, setting);
    return AutoJobsAtOnce(cores);
}

}  // namespace tessaro
