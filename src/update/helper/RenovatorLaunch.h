#pragma once

#include <sys/types.h>

#include <string>

namespace tessaro {

// Starts the program in a session of its own, so that it outlives the helper
// and no terminal hang-up of the helper reaches it. The parameter is passed as
// one argument unless it is blank. Returns the process id, or -1 with errno set.
pid_t StartProgram(const std::string& path, const std::string& parameter);

// Waits until the started process has ended.
void WaitForProgram(pid_t pid);

}  // namespace tessaro
