#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "../platform/ProcessTestSupport.h"

namespace tessaro::testing {

// Runs a program with its standard output and error in files and collects it.
class RecordedProcess {
public:
    RecordedProcess(std::vector<std::string> argv, const std::string& outputPath,
                    const std::string& errorPath) {
        std::vector<char*> arguments;
        for (std::string& argument : argv) arguments.push_back(argument.data());
        arguments.push_back(nullptr);
        if ((pid_ = ::fork()) == 0) {
            ::dup2(::open(outputPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 1);
            ::dup2(::open(errorPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 2);
            ::execv(arguments[0], arguments.data());
            ::_exit(127);
        }
    }
    ~RecordedProcess() {
        if (!status_) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
    }
    RecordedProcess(const RecordedProcess&) = delete;
    RecordedProcess& operator=(const RecordedProcess&) = delete;

    bool Running() {
        int status = 0;
        if (status_ || ::waitpid(pid_, &status, WNOHANG) == 0) return !status_;
        status_ = status;
        return false;
    }
    // The exit code once the process has ended within the limit; -1 otherwise.
    int ExitCode(std::chrono::milliseconds limit = std::chrono::seconds(20)) {
        Eventually([this] { return !Running(); }, limit);
        return status_ && WIFEXITED(*status_) ? WEXITSTATUS(*status_) : -1;
    }

private:
    pid_t pid_ = -1;
    std::optional<int> status_;
};

inline std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) lines.push_back(line);
    return lines;
}

}  // namespace tessaro::testing
