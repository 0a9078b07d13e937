#pragma once

#include "encode/JobRow.h"

namespace tessaro {

// Stands for Auto wherever a jobs-at-once setting is kept or given.
inline constexpr int kJobsAtOnceAuto = 0;

// How many jobs of `rows` run side by side: `setting` when it is a count
// (at least 1), else Auto's rule for `cores`, which keeps every core busy
// without crowding them.
int JobsAtOnce(int setting, unsigned cores, const JobList& rows);

}  // namespace tessaro
