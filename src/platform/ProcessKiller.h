#pragma once

#include <sys/types.h>

#include <chrono>
#include <vector>

namespace tessaro::platform {

// Processes of the group that have not ended yet (zombies are left out).
std::vector<pid_t> LiveGroupMembers(pid_t groupId);

// Ends every process of the group: SIGTERM first so tools can close their
// files, SIGKILL for those still alive after `grace`. Returns once no member
// is alive (or after a bounded wait); false when the group could not be signalled.
bool TerminateProcessGroup(pid_t groupId, std::chrono::milliseconds grace);

}  // namespace tessaro::platform
