#pragma once

#include <sys/types.h>

#include "update/thread/kuThreadTypes.h"

namespace tessaro {

// Linux has no per-thread priority classes: a priority becomes a nice value relative
// to the creating thread (the negated Windows value), and idle also selects SCHED_IDLE.
// Raising a priority needs CAP_SYS_NICE or RLIMIT_NICE; without them the kernel refuses
// and the priority is only recorded. Returns whether the kernel accepted it.
bool ApplyThreadPriority(pid_t tid, int baseNice, TThreadPriority priority);

// Nice value of the calling thread.
int CallingThreadNice();

// Nice offset for a priority; exposed for tests.
int NiceOffsetOf(TThreadPriority priority);

}  // namespace tessaro
