#pragma once

#include <sys/types.h>

#include <chrono>
#include <string_view>
#include <vector>

namespace tessaro::platform {

// Sends `signal` to every process (other than this one) whose name equals
// `name` without regard to letter case; the name is taken from
// /proc/<pid>/comm and from the file name of /proc/<pid>/exe. Returns whether
// the signal reached the last such process; false when none matched.
bool KillProcessesByName(std::string_view name, int signal);

// Processes of the group that have not ended yet (zombies are left out).
std::vector<pid_t> LiveGroupMembers(pid_t groupId);

// Ends every process of the group: SIGTERM first so tools can close their
// files, SIGKILL for those still alive after `grace`. Returns once no member
// is alive (or after a bounded wait); false when the group could not be signalled.
bool TerminateProcessGroup(pid_t groupId, std::chrono::milliseconds grace);

}  // namespace tessaro::platform
