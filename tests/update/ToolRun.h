#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "platform/ChildProcess.h"

namespace tessaro::test {

struct TToolResult {
    int exitCode = -1;   // -1 when it could not start, was killed or ran over the limit
    std::string output;  // standard output and error together
};

// Runs a program (argv[0] a full path) to its end and collects what it wrote.
inline TToolResult RunTool(const std::vector<std::string>& argv,
                           std::chrono::seconds limit = std::chrono::seconds(60)) {
    TToolResult result;
    std::FILE* log = std::tmpfile();
    if (!log) return result;
    platform::ChildProcess child;
    if (child.Start(argv, {}, ::fileno(log)) == 0) {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        while (!child.HasEnded() && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        child.Close(std::chrono::milliseconds(0));
        const int status = child.ExitStatus();
        if (status >= 0 && WIFEXITED(status)) result.exitCode = WEXITSTATUS(status);
    }
    std::rewind(log);
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, log)) > 0;)
        result.output.append(buffer, got);
    std::fclose(log);
    return result;
}

}  // namespace tessaro::test
