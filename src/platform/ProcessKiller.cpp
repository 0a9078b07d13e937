#include "platform/ProcessKiller.h"

#include <dirent.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>

namespace tessaro::platform {
namespace {

constexpr auto kCheckStep = std::chrono::milliseconds(5);
// After SIGKILL the kernel needs only moments; this bounds a wait on a process
// stuck in uninterruptible sleep.
constexpr auto kKillSettleTime = std::chrono::seconds(2);

std::optional<pid_t> ParsePid(std::string_view text) {
    pid_t pid = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), pid);
    if (error != std::errc() || end != text.data() + text.size() || pid <= 0) return std::nullopt;
    return pid;
}

std::vector<pid_t> AllProcessIds() {
    std::vector<pid_t> pids;
    DIR* proc = ::opendir("/proc");
    if (!proc) return pids;
    while (const dirent* entry = ::readdir(proc)) {
        if (const auto pid = ParsePid(entry->d_name)) pids.push_back(*pid);
    }
    ::closedir(proc);
    return pids;
}

std::string ProcFile(pid_t pid, const char* leaf) {
    return "/proc/" + std::to_string(pid) + "/" + leaf;
}

struct ProcessStat {
    char state = '?';
    pid_t groupId = 0;
};

// The command name in /proc/<pid>/stat may hold spaces and parentheses, so
// the fields are read after its last ')'.
std::optional<ProcessStat> ReadStat(pid_t pid) {
    std::ifstream file(ProcFile(pid, "stat"));
    std::string line;
    if (!std::getline(file, line)) return std::nullopt;
    const size_t close = line.rfind(')');
    if (close == std::string::npos) return std::nullopt;
    std::istringstream fields(line.substr(close + 1));
    ProcessStat stat;
    pid_t parent = 0;
    if (!(fields >> stat.state >> parent >> stat.groupId)) return std::nullopt;
    return stat;
}

bool HasEnded(char state) {
    return state == 'Z' || state == 'X' || state == 'x';
}

bool WaitUntilGroupEnded(pid_t groupId, std::chrono::steady_clock::duration limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!LiveGroupMembers(groupId).empty()) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(kCheckStep);
    }
    return true;
}

bool SignalGroup(pid_t groupId, int signal) {
    return ::kill(-groupId, signal) == 0 || errno == ESRCH;
}

}  // namespace

std::vector<pid_t> LiveGroupMembers(pid_t groupId) {
    std::vector<pid_t> members;
    for (const pid_t pid : AllProcessIds()) {
        const auto stat = ReadStat(pid);
        if (stat && stat->groupId == groupId && !HasEnded(stat->state)) members.push_back(pid);
    }
    return members;
}

bool TerminateProcessGroup(pid_t groupId, std::chrono::milliseconds grace) {
    if (groupId <= 0) {
        errno = EINVAL;
        return false;
    }
    if (LiveGroupMembers(groupId).empty()) return true;
    if (!SignalGroup(groupId, SIGTERM)) return false;
    if (WaitUntilGroupEnded(groupId, grace)) return true;
    if (!SignalGroup(groupId, SIGKILL)) return false;
    WaitUntilGroupEnded(groupId, kKillSettleTime);
    return true;
}

}  // namespace tessaro::platform
