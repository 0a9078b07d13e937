#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "encode/CRedirect.h"
#include "encode/MencoderArguments.h"
#include "encode/ScriptWriter.h"

extern char** environ;

namespace {

using tessaro::CRedirect;
using tessaro::IStatusBar;

constexpr int kJobs = 200;
constexpr int kLinesPerJob = 1000;
constexpr int kRunControlPollInterval = 200;
constexpr int kMarkers = 300;

class ScratchFolder {
public:
    ScratchFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "tessaro-bench-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data()) ? pattern : std::string();
    }
    ~ScratchFolder() { std::filesystem::remove_all(path_); }
    std::string File(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

// 200 jobs, each with its marker lines and 1,000 lines of a tool's output.
std::string WriteJobsScript(const ScratchFolder& folder) {
    const std::string path = folder.File("jobs.sh");
    std::ofstream script(path);
    for (int job = 1; job <= kJobs; ++job) {
        script << "printf '#JOB#Job:%d/%d\\n#STATUS#Encoding\\n' " << job << ' ' << kJobs << '\n';
        script << "seq -f 'frame %g of the tool written to its console' 1 " << kLinesPerJob << '\n';
    }
    script << "printf '#STATUS#Completed\\n'\n";
    return path;
}

class CountingStatusBar final : public IStatusBar {
public:
    void SetPanelText(int, const std::string&) override { ++updates; }
    int updates = 0;
};

double SecondsOf(std::chrono::steady_clock::duration duration) {
    return std::chrono::duration<double>(duration).count();
}

double RunToDevNull(const std::string& script) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    const char* argv[] = {"/bin/sh", script.c_str(), nullptr};
    const auto started = std::chrono::steady_clock::now();
    pid_t pid = 0;
    posix_spawn(&pid, "/bin/sh", &actions, nullptr, const_cast<char**>(argv), environ);
    int status = 0;
    waitpid(pid, &status, 0);
    const auto elapsed = std::chrono::steady_clock::now() - started;
    posix_spawn_file_actions_destroy(&actions);
    return SecondsOf(elapsed);
}

double RunThroughRunner(const std::string& script) {
    CountingStatusBar bar;
    CRedirect runner(script, bar);
    runner.SetSleepInterval(kRunControlPollInterval);
    const auto started = std::chrono::steady_clock::now();
    runner.Run(false);
    const auto elapsed = std::chrono::steady_clock::now() - started;
    if (bar.updates < kJobs) std::abort();
    return SecondsOf(elapsed);
}

void BM_ScriptToDevNull(benchmark::State& state) {
    ScratchFolder folder;
    const std::string script = WriteJobsScript(folder);
    for (auto _ : state) state.SetIterationTime(RunToDevNull(script));
}
BENCHMARK(BM_ScriptToDevNull)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_ScriptThroughCRedirect(benchmark::State& state) {
    ScratchFolder folder;
    const std::string script = WriteJobsScript(folder);
    for (auto _ : state) state.SetIterationTime(RunThroughRunner(script));
}
BENCHMARK(BM_ScriptThroughCRedirect)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);

// Both ways in turn within one iteration, so the load of the machine falls on both alike.
void BM_RunnerOverheadRatio(benchmark::State& state) {
    ScratchFolder folder;
    const std::string script = WriteJobsScript(folder);
    double plain = 0;
    double captured = 0;
    for (auto _ : state) {
        plain += RunToDevNull(script);
        captured += RunThroughRunner(script);
    }
    state.counters["ratio"] = captured / plain;
}
BENCHMARK(BM_RunnerOverheadRatio)->Unit(benchmark::kMillisecond)->Iterations(10)->UseRealTime();

// A stand-in for mencoder: a console full of progress lines, then a small
// complete AVI file under the name after -o (its last argument).
constexpr const char* kStandInEncoder =
    "#!/bin/sh\n"
    "for last; do :; done\n"
    "seq -f 'Pos: %g.0s of the tool written to its console' 1 1000\n"
    "printf 'RIFF\\004\\000\\000\\000AVI ' > \"$last\"\n";

tessaro::JobList EncodeJobs(const ScratchFolder& folder) {
    tessaro::JobList rows;
    for (int job = 1; job <= kJobs; ++job)
        rows.push_back({folder.File("clip" + std::to_string(job) + ".mkv"),
                        {"AVC", "avc1", "640", "480", "AAC", "No", "4", "900"}});
    return rows;
}

// The jobs as the script writer writes them now: every step checked, mencoder
// writing a work file that avifinish names.
std::string WriteCheckedScript(const ScratchFolder& folder, const tessaro::JobList& rows) {
    tessaro::ScriptOptions options;
    options.outputFolder = folder.File("out");
    options.exeFolder = folder.File("exe");
    options.tempFolder = folder.File("run");
    options.runTag = "BENCH1";
    const std::string path = folder.File("checked.sh");
    tessaro::WriteScript(options, rows, {}, path);
    return path;
}

// The same jobs without checks or work files, as a run wrote them before.
std::string WriteUncheckedScript(const ScratchFolder& folder, const tessaro::JobList& rows) {
    const std::string path = folder.File("unchecked.sh");
    std::ofstream script(path);
    script << "#!/bin/sh\n";
    for (size_t job = 0; job < rows.size(); ++job) {
        script << "printf '%s\\n' '#JOB#Job:" << job + 1 << "/" << rows.size() << "'\n"
               << "printf '%s\\n' '#STATUS#Encoding'\n"
               << "'" << folder.File("exe/mencoder") << "' '" << rows[job].caption << "'  "
               << tessaro::MencoderArguments(4, {}, 900) << " -o '" << folder.File("out/clip")
               << job + 1 << "_XviD.avi' 2> '" << folder.File("run/2.txt") << "'\n";
    }
    script << "printf '%s\\n' '#STATUS#Completed'\n";
    return path;
}

void PrepareEncodeFolder(const ScratchFolder& folder) {
    for (const char* name : {"exe", "out", "run"})
        std::filesystem::create_directory(folder.File(name));
    std::ofstream(folder.File("exe/mencoder")) << kStandInEncoder;
    std::filesystem::permissions(folder.File("exe/mencoder"), std::filesystem::perms::owner_all);
    std::filesystem::copy_file(TESSARO_AVIFINISH, folder.File("exe/avifinish"));
}

// The cost of checking each job and naming its output only when complete:
// both scripts in turn within one iteration, through the runner.
void BM_CheckedJobsOverheadRatio(benchmark::State& state) {
    ScratchFolder folder;
    PrepareEncodeFolder(folder);
    const tessaro::JobList rows = EncodeJobs(folder);
    const std::string checked = WriteCheckedScript(folder, rows);
    const std::string unchecked = WriteUncheckedScript(folder, rows);
    double plain = 0;
    double withChecks = 0;
    for (auto _ : state) {
        plain += RunThroughRunner(unchecked);
        std::filesystem::remove(folder.File("run/jobs.txt"));
        withChecks += RunThroughRunner(checked);
    }
    state.counters["ratio"] = withChecks / plain;
    state.counters["added_ms_per_job"] =
        (withChecks - plain) * 1000 / static_cast<double>(state.iterations()) / kJobs;
}
BENCHMARK(BM_CheckedJobsOverheadRatio)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

// Time from the child writing a marker line to the status bar showing it.
class LatencyStatusBar final : public IStatusBar {
public:
    void SetPanelText(int panel, const std::string& text) override {
        if (panel != tessaro::kStatusPanel) return;
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        const long long written = std::stoll(text);
        latenciesMs.push_back(
            static_cast<double>(now.tv_sec * 1000000000LL + now.tv_nsec - written) / 1e6);
    }
    std::vector<double> latenciesMs;
};

double Percentile(std::vector<double> values, double fraction) {
    std::sort(values.begin(), values.end());
    const size_t index = std::min(
        values.size() - 1, static_cast<size_t>(fraction * static_cast<double>(values.size())));
    return values[index];
}

void BM_MarkerToStatusLatency(benchmark::State& state) {
    ScratchFolder folder;
    const std::string script = folder.File("markers.sh");
    std::ofstream(script) << "exec '" << TESSARO_MARKER_CLOCK << "' " << kMarkers << '\n';
    LatencyStatusBar bar;
    for (auto _ : state) {
        CRedirect runner(script, bar);
        runner.SetSleepInterval(kRunControlPollInterval);
        runner.Run(false);
    }
    state.counters["median_ms"] = Percentile(bar.latenciesMs, 0.5);
    state.counters["p99_ms"] = Percentile(bar.latenciesMs, 0.99);
    state.counters["markers"] = static_cast<double>(bar.latenciesMs.size());
}
BENCHMARK(BM_MarkerToStatusLatency)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
