#include "update/thread/kuThreadPriority.h"

#include <sched.h>
#include <sys/resource.h>

#include <algorithm>
#include <array>
#include <cerrno>

namespace tessaro {

namespace {

// THREAD_PRIORITY_IDLE .. THREAD_PRIORITY_TIME_CRITICAL, negated: a lower nice runs sooner.
constexpr std::array<int, 7> kNiceOffsets{15, 2, 1, 0, -1, -2, -15};

bool ApplySchedulingPolicy(pid_t tid, TThreadPriority priority) {
    sched_param param{};
    const int policy = priority == TThreadPriority::tpIdle ? SCHED_IDLE : SCHED_OTHER;
    if (sched_getscheduler(tid) == policy) return true;
    return sched_setscheduler(tid, policy, &param) == 0;
}

}  // namespace

int NiceOffsetOf(TThreadPriority priority) {
    return kNiceOffsets.at(static_cast<std::size_t>(priority));
}

int CallingThreadNice() {
    errno = 0;
    const int nice = getpriority(PRIO_PROCESS, 0);
    return errno == 0 ? nice : 0;
}

bool ApplyThreadPriority(pid_t tid, int baseNice, TThreadPriority priority) {
    const int nice = std::clamp(baseNice + NiceOffsetOf(priority), -20, 19);
    const bool policyApplied = ApplySchedulingPolicy(tid, priority);
    const bool niceApplied = setpriority(PRIO_PROCESS, static_cast<id_t>(tid), nice) == 0;
    return policyApplied && niceApplied;
}

}  // namespace tessaro
