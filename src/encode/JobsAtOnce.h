#pragma once

#include "encode/JobRow.h"

namespace tessaro {

// Stands for Auto wherever a jobs-at-once setting is kept or given.
inline constexpr int kJobsAtOnceAuto = 0;

// How many jobs of `rows` run side by side: `setting` when it is a count
// (at least 1), else Auto's rule, which keeps every core busy without
// crowding them: `cores` divided by the cores the list's heaviest job keeps
// busy (by its frame size), rounded, at least 1.
int JobsAtOnce(int setting, unsigned cores, const JobList& rows);

}  // namespace tessaro
