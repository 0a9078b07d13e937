#include "ToolRun.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace tessaro::testing {
namespace {

std::string ReadAndRemove(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    std::filesystem::remove(path);
    return text.str();
}

// Runs in the child between fork and exec.
[[noreturn]] void BecomeTool(const std::string& program, std::vector<char*>& argv,
                             const ToolLaunch& launch, int outFd, int errFd) {
    ::dup2(outFd, STDOUT_FILENO);
    ::dup2(errFd, STDERR_FILENO);
    for (const auto& [name, value] : launch.environment) ::setenv(name.c_str(), value.c_str(), 1);
    if (launch.fileSizeLimit) {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{*launch.fileSizeLimit, *launch.fileSizeLimit};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ::execv(program.c_str(), argv.data());
    std::perror(program.c_str());
    ::_exit(127);
}

}  // namespace

ToolResult RunTool(const std::string& tool, const std::vector<std::string>& arguments,
                   const ToolLaunch& launch) {
    const std::string program = std::string(TESSARO_BIN_DIR) + "/" + tool;
    std::vector<std::string> words{program};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);

    char outPath[] = "/tmp/tessaro-tool-out-XXXXXX";
    char errPath[] = "/tmp/tessaro-tool-err-XXXXXX";
    const int outFd = ::mkstemp(outPath);
    const int errFd = ::mkstemp(errPath);
    ToolResult result;
    const pid_t child = ::fork();
    if (child == 0) BecomeTool(program, argv, launch, outFd, errFd);
    ::close(outFd);
    ::close(errFd);
    int status = 0;
    if (child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status)) {
        result.exitCode = WEXITSTATUS(status);
    }
    result.out = ReadAndRemove(outPath);
    result.err = ReadAndRemove(errPath);
    return result;
}

}  // namespace tessaro::testing
