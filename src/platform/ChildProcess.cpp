#include "platform/ChildProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <initializer_list>

#include "platform/ProcessKiller.h"

extern char** environ;

namespace tessaro::platform {
namespace {

// Signals whose handlers or ignore settings of this program must not pass to
// the script: a Ctrl-C handler or an ignored SIGPIPE would change how tools end.
constexpr std::initializer_list<int> kDefaultSignals = {SIGINT,  SIGTERM, SIGHUP,
                                                        SIGQUIT, SIGPIPE, SIGCHLD};

class SpawnSetup final {
public:
    SpawnSetup() {
        ::posix_spawn_file_actions_init(&actions_);
        ::posix_spawnattr_init(&attributes_);
    }
    ~SpawnSetup() {
        ::posix_spawn_file_actions_destroy(&actions_);
        ::posix_spawnattr_destroy(&attributes_);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;

    int Prepare(const std::string& currentDirectory, int outputFd) {
        if (int error = PrepareAttributes()) return error;
        if (int error = ::posix_spawn_file_actions_addopen(&actions_, STDIN_FILENO, "/dev/null",
                                                           O_RDONLY, 0))
            return error;
        if (outputFd >= 0) {
            if (int error = ::posix_spawn_file_actions_adddup2(&actions_, outputFd, STDOUT_FILENO))
                return error;
            if (int error = ::posix_spawn_file_actions_adddup2(&actions_, outputFd, STDERR_FILENO))
                return error;
        }
        if (!currentDirectory.empty())
            return ::posix_spawn_file_actions_addchdir_np(&actions_, currentDirectory.c_str());
        return 0;
    }

    const posix_spawn_file_actions_t* Actions() const { return &actions_; }
    const posix_spawnattr_t* Attributes() const { return &attributes_; }

private:
    int PrepareAttributes() {
        sigset_t defaults;
        sigemptyset(&defaults);
        for (int signal : kDefaultSignals) sigaddset(&defaults, signal);
        sigset_t none;
        sigemptyset(&none);
        if (int error = ::posix_spawnattr_setflags(&attributes_, POSIX_SPAWN_SETPGROUP |
                                                                     POSIX_SPAWN_SETSIGDEF |
                                                                     POSIX_SPAWN_SETSIGMASK))
            return error;
        if (int error = ::posix_spawnattr_setpgroup(&attributes_, 0)) return error;
        if (int error = ::posix_spawnattr_setsigdefault(&attributes_, &defaults)) return error;
        return ::posix_spawnattr_setsigmask(&attributes_, &none);
    }

    posix_spawn_file_actions_t actions_{};
    posix_spawnattr_t attributes_{};
};

// Close-on-exec by default, so no later child inherits it.
int OpenProcessDescriptor(pid_t pid) {
    return static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
}

}  // namespace

ChildProcess::~ChildProcess() {
    Close(std::chrono::milliseconds(0));
}

int ChildProcess::Start(const std::vector<std::string>& argv, const std::string& currentDirectory,
                        int outputFd) {
    if (Started() || argv.empty()) return EINVAL;
    exitStatus_ = -1;
    SpawnSetup setup;
    if (int error = setup.Prepare(currentDirectory, outputFd)) return error;
    std::vector<char*> arguments;
    for (const std::string& argument : argv)
        arguments.push_back(const_cast<char*>(argument.c_str()));
    arguments.push_back(nullptr);
    pid_t pid = -1;
    if (int error = ::posix_spawn(&pid, arguments[0], setup.Actions(), setup.Attributes(),
                                  arguments.data(), environ))
        return error;
    pid_ = pid;
    exitFd_ = OpenProcessDescriptor(pid);
    return 0;
}

bool ChildProcess::HasEnded() const {
    if (!Started()) return true;
    siginfo_t info{};
    if (::waitid(P_PID, static_cast<id_t>(pid_), &info, WEXITED | WNOHANG | WNOWAIT) != 0)
        return errno == ECHILD;
    return info.si_pid == pid_;
}

bool ChildProcess::TerminateGroup(std::chrono::milliseconds grace) const {
    return Started() && TerminateProcessGroup(pid_, grace);
}

bool ChildProcess::Close(std::chrono::milliseconds grace) {
    if (!Started()) return true;
    TerminateGroup(grace);
    int status = 0;
    pid_t collected;
    do {
        collected = ::waitpid(pid_, &status, 0);
    } while (collected < 0 && errno == EINTR);
    const int waitError = errno;
    if (collected >= 0) exitStatus_ = status;
    pid_ = -1;
    if (exitFd_ >= 0) ::close(exitFd_);
    exitFd_ = -1;
    errno = waitError;
    return collected >= 0;
}

}  // namespace tessaro::platform
