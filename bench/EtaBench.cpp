#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "MediaClip.h"
#include "RecordingRunView.h"
#include "encode/AddFiles.h"
#include "encode/RunControl.h"
#include "platform/Locale.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kClips = 4;
constexpr int kClipSeconds = 20;
constexpr int kFramesPerSecond = 25;
constexpr const char* kFrameSize = "1280x720";

struct Sample {
    double at = 0;
    double fraction = 0;
    double eta = 0;
};

double Seconds(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double>(to - from).count();
}

// The ETA shown once a share of the work is done, against the time the run then took.
double ErrorAt(const std::vector<Sample>& samples, double share, double end) {
    for (const Sample& sample : samples)
        if (sample.fraction >= share)
            return std::abs(sample.eta - (end - sample.at)) / (end - sample.at);
    return NAN;
}

void BM_EtaOfFourEqualClips(benchmark::State& state) {
    tessaro::platform::EnsureUtf8CharacterLocale();
    const fs::path folder = fs::temp_directory_path() / "tessaro-eta-bench";
    fs::create_directories(folder / "out");
    std::vector<std::string> paths;
    for (int i = 0; i < kClips; ++i) {
        paths.push_back((folder / ("clip" + std::to_string(i) + ".mkv")).string());
        if (!tessaro::test::MakeClip(paths.back(), kClipSeconds, kFramesPerSecond, kFrameSize))
            std::abort();
    }
    tessaro::JobList rows;
    tessaro::AddFiles(paths, 0, rows);
    tessaro::ScriptOptions options;
    options.outputFolder = (folder / "out").string();
    options.exeFolder = TESSARO_BIN_DIR;
    double error25 = 0, error50 = 0, error75 = 0;
    for (auto _ : state) {
        tessaro::testing::RecordingStatusBar bar;
        tessaro::testing::RecordingRunView view;
        tessaro::testing::RecordingPowerManager power;
        tessaro::RunControl control(folder.string(), "bench", bar, view, power);
        control.SetJobsAtOnce(static_cast<int>(state.range(0)));
        std::vector<Sample> samples;
        const Clock::time_point start = Clock::now();
        control.SetProgressObserver([&](const tessaro::RunProgress& progress) {
            if (progress.etaSeconds)
                samples.push_back(
                    {Seconds(start, Clock::now()), progress.fraction, *progress.etaSeconds});
        });
        if (control.EncodeAll(rows, options) != tessaro::RunOutcome::completed) std::abort();
        const double end = Seconds(start, Clock::now());
        error25 += ErrorAt(samples, 0.25, end);
        error50 += ErrorAt(samples, 0.5, end);
        error75 += ErrorAt(samples, 0.75, end);
    }
    const auto runs = static_cast<double>(state.iterations());
    state.counters["error_at_25%"] = error25 / runs;
    state.counters["error_at_50%"] = error50 / runs;
    state.counters["error_at_75%"] = error75 / runs;
    fs::remove_all(folder);
}
// The argument is the number of jobs at once.
BENCHMARK(BM_EtaOfFourEqualClips)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kSecond)
    ->Iterations(1)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
