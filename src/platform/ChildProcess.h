#pragma once

#include <sys/types.h>

#include <chrono>
#include <string>
#include <vector>

namespace tessaro::platform {

// A child process that leads its own process group, so that it and every
// tool it starts can be ended together without touching anyone else's
// processes. Standard input is /dev/null: the child never competes with the
// terminal or the window for keystrokes.
class ChildProcess final {
public:
    ChildProcess() = default;
    // Ends what is left of the group and collects the child.
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Starts argv[0] (a full path) with the given arguments. `outputFd` >= 0
    // becomes the child's standard output and error; -1 leaves them inherited.
    // An empty `currentDirectory` keeps the caller's. Returns 0 or an errno value.
    int Start(const std::vector<std::string>& argv, const std::string& currentDirectory,
              int outputFd);

    bool Started() const { return pid_ > 0; }
    pid_t Pid() const { return pid_; }

    // Becomes readable when the child has ended; -1 when the kernel offers no
    // process descriptors (callers then fall back to their poll interval).
    int ExitFd() const { return exitFd_; }

    // Whether the child has ended. It is not collected yet, so its id stays
    // reserved and the group id can never name another program's processes.
    bool HasEnded() const;

    // Ends every process of the group (see TerminateProcessGroup).
    bool TerminateGroup(std::chrono::milliseconds grace) const;

    // Ends leftovers of the group, collects the child and releases the
    // descriptor. Returns false (errno set) when the child could not be collected.
    bool Close(std::chrono::milliseconds grace);

    // The wait status (see waitpid) of the child Close collected; -1 before.
    int ExitStatus() const { return exitStatus_; }

private:
    pid_t pid_ = -1;
    int exitFd_ = -1;
    int exitStatus_ = -1;
};

}  // namespace tessaro::platform
