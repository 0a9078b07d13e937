#pragma once

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

extern char** environ;

namespace tessaro::test {

// Output of the `mediainfo` command for one file and one --Inform template,
// without its trailing line break: an independent reading of the same facts.
inline std::string MediaInfoCommand(const std::string& inform, const std::string& path) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return "<pipe failed>";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    const std::string option = "--Inform=" + inform;
    std::vector<char*> argv{const_cast<char*>("mediainfo"), const_cast<char*>(option.c_str()),
                            const_cast<char*>(path.c_str()), nullptr};
    pid_t child = 0;
    const int spawned = posix_spawnp(&child, "mediainfo", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    std::string output;
    char buffer[4096];
    for (ssize_t count; (count = read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        output.append(buffer, static_cast<size_t>(count));
    close(pipeEnds[0]);
    if (spawned != 0) return "<mediainfo not started>";
    int status = 0;
    waitpid(child, &status, 0);
    while (!output.empty() && (output.back() == '\n' || output.back() == '\r')) output.pop_back();
    return output;
}

}  // namespace tessaro::test
