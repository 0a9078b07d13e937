// `tessaro-cli probe` on the corpus videos against the `mediainfo` command
// given the same files in one process and asked for the same values: the same
// library, so what differs is what each program loads and does around it.
// Wall time is the benchmark's time; the CPU time of the child is the cpu_ms
// counter.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "CorpusVideos.h"

extern char** environ;

namespace {

using tessaro::bench::CorpusVideos;

struct ChildRun {
    bool ok = false;
    double wallSeconds = 0;
    double cpuSeconds = 0;
};

double Seconds(const timeval& time) {
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
}

// Runs the command with its output thrown away; wall and CPU time of the child.
ChildRun Run(const std::vector<std::string>& command) {
    std::vector<char*> argv;
    for (const std::string& argument : command) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int failed = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ChildRun run;
    if (failed != 0) return run;
    int status = 0;
    rusage usage{};
    if (::wait4(pid, &status, 0, &usage) != pid) return run;
    run.wallSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.cpuSeconds = Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
    run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return run;
}

void Measure(benchmark::State& state, const std::vector<std::string>& command) {
    double cpu = 0;
    for (auto _ : state) {
        const ChildRun run = Run(command);
        if (!run.ok) return state.SkipWithError(("failed: " + command.front()).c_str());
        state.SetIterationTime(run.wallSeconds);
        cpu += run.cpuSeconds;
    }
    state.counters["cpu_ms"] = benchmark::Counter(cpu * 1000, benchmark::Counter::kAvgIterations);
    state.counters["files"] = static_cast<double>(CorpusVideos().size());
}

void BM_TessaroCliProbe(benchmark::State& state) {
    std::vector<std::string> command = {TESSARO_BIN_DIR "/tessaro-cli", "probe"};
    const std::vector<std::string> files = CorpusVideos();
    if (files.empty()) return state.SkipWithError("no corpus");
    command.insert(command.end(), files.begin(), files.end());
    Measure(state, command);
}

// The same six values as the probe reads, all files in one mediainfo process.
void BM_MediainfoOneProcess(benchmark::State& state) {
    const std::string sheet = std::filesystem::temp_directory_path() /
                              ("tessaro-probe-sheet-" + std::to_string(::getpid()) + ".txt");
    std::ofstream(sheet) << "Video;%Format%|%CodecID%|%Width%|%Height%|%BitRate%|\n"
                            "Audio;%Format%\n";
    std::vector<std::string> command = {"mediainfo", "--Inform=file://" + sheet};
    const std::vector<std::string> files = CorpusVideos();
    if (files.empty()) return state.SkipWithError("no corpus");
    command.insert(command.end(), files.begin(), files.end());
    Measure(state, command);
    std::remove(sheet.c_str());
}

}  // namespace

BENCHMARK(BM_TessaroCliProbe)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(20);
BENCHMARK(BM_MediainfoOneProcess)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(20);

BENCHMARK_MAIN();
