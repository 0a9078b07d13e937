#pragma once

#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

namespace tessaro::testing {

// A fresh folder under the system's temp folder, removed with its content.
class TempDir {
public:
    TempDir() {
        std::string pattern = std::filesystem::temp_directory_path() / "tessaro-run-XXXXXX";
        if (!::mkdtemp(pattern.data())) throw std::system_error(errno, std::generic_category());
        path_ = pattern;
    }
    ~TempDir() { std::filesystem::remove_all(path_, ignored_); }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::string File(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
    std::error_code ignored_;
};

inline void WriteTextFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

inline mode_t ModeOf(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 ? status.st_mode & 07777 : 0;
}

inline std::string ReadTextFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// A copy of /bin/sleep under a name no other program on the computer uses, so
// that killing by name can be tested without harming anyone else's processes.
inline std::string MakeUniqueSleeper(const TempDir& dir, const std::string& stem) {
    const std::string path = dir.File(stem + std::to_string(::getpid()));
    std::filesystem::copy_file("/bin/sleep", path);
    std::filesystem::permissions(path, std::filesystem::perms::owner_all);
    return path;
}

// A process the test starts itself (argv[0] a full path); ended and collected on destruction.
class OutsideProcess {
public:
    explicit OutsideProcess(std::vector<std::string> argv) {
        std::vector<char*> arguments;
        for (std::string& argument : argv) arguments.push_back(argument.data());
        arguments.push_back(nullptr);
        if ((pid_ = ::fork()) == 0) ::_exit(::execv(arguments[0], arguments.data()) ? 127 : 0);
    }
    ~OutsideProcess() {
        if (Alive()) ::kill(pid_, SIGKILL);
        Collect();
    }
    OutsideProcess(const OutsideProcess&) = delete;
    OutsideProcess& operator=(const OutsideProcess&) = delete;

    pid_t Pid() const { return pid_; }
    bool Alive() const {
        siginfo_t info{};
        return !collected_ &&
               ::waitid(P_PID, static_cast<id_t>(pid_), &info, WEXITED | WNOHANG | WNOWAIT) == 0 &&
               info.si_pid == 0;
    }
    // Wait status once the process has ended.
    int Collect() {
        if (!collected_ && pid_ > 0) ::waitpid(pid_, &status_, 0);
        collected_ = true;
        return status_;
    }

private:
    pid_t pid_ = -1;
    int status_ = 0;
    bool collected_ = false;
};

// Whether the process is gone or only a zombie nobody collected yet.
inline bool ProcessEnded(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(stat, line)) return true;
    const size_t close = line.rfind(')');
    return close + 2 < line.size() && line[close + 2] == 'Z';
}

// Polls `condition` every few milliseconds until it holds or `limit` passes.
template <typename Condition>
bool Eventually(Condition condition, std::chrono::milliseconds limit = std::chrono::seconds(10)) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

}  // namespace tessaro::testing
