#include <QBuffer>
#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <fstream>
#include <set>
#include <string>

#include "../tests/update/LoopbackServers.h"
#include "update/http/kuHTTP.h"

namespace {

using tessaro::TkuHTTP;
using tessaro::test::TLoopbackServer;
using tessaro::test::TNginxServer;

constexpr qint64 kMiB = 1024 * 1024;

TNginxServer* nginx = nullptr;
TLoopbackServer* loopback = nullptr;

// A memory figure of this process from /proc/self/status ("VmHWM:", "VmRSS:"), in MiB.
double StatusMiB(const std::string& key) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.starts_with(key)) return std::stod(line.substr(key.size())) / 1024;
    return 0;
}

void ResetPeakResident() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

std::string DataUrl(std::int64_t mib) {
    return nginx->Url("/data" + std::to_string(mib) + ".bin");
}

void CreateData(std::int64_t mib) {
    QFile file(nginx->WwwPath(QString("data%1.bin").arg(mib)));
    if (file.exists()) return;
    file.open(QIODevice::WriteOnly);
    const std::string block = tessaro::test::PatternBytes(0, 251 * 4096);
    for (qint64 written = 0; written < mib * kMiB;)
        written += file.write(block.data(), std::min<qint64>(block.size(), mib * kMiB - written));
}

// Runs the download and returns how far the resident memory rose above its start.
double PeakGrowthMiB(TkuHTTP& http) {
    ResetPeakResident();
    const double before = StatusMiB("VmRSS:");
    http.Read(true);
    return StatusMiB("VmHWM:") - before;
}

void ReportThroughput(benchmark::State& state, std::int64_t bytes) {
    state.SetBytesProcessed(state.iterations() * bytes);
}

// Into a file, as the upgrade engine downloads (8 KiB blocks, no progress handler).
void BM_EngineFileDownload(benchmark::State& state) {
    const std::int64_t mib = state.range(0);
    CreateData(mib);
    QTemporaryDir dir;
    double peakGrowth = 0;
    for (auto _ : state) {
        TkuHTTP http;
        http.SetTransferBufferSize(8192);
        http.SetURL(DataUrl(mib));
        http.SetOutputFileName(dir.filePath("out.bin").toStdString());
        bool done = false;
        http.OnDone = [&](QObject*, const std::string&, std::int32_t size, QIODevice*) {
            done = size == mib * kMiB;
        };
        peakGrowth = std::max(peakGrowth, PeakGrowthMiB(http));
        if (!done) state.SkipWithError("download failed");
    }
    ReportThroughput(state, mib * kMiB);
    state.counters["peak_rss_growth_MiB"] = peakGrowth;
}
BENCHMARK(BM_EngineFileDownload)->Arg(64)->Arg(256)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same URL with the curl program writing the file.
void BM_CurlProgramFileDownload(benchmark::State& state) {
    const std::int64_t mib = state.range(0);
    CreateData(mib);
    QTemporaryDir dir;
    for (auto _ : state) {
        QProcess curl;
        curl.start("curl",
                   {"-s", "-o", dir.filePath("out.bin"), QString::fromStdString(DataUrl(mib))});
        curl.waitForFinished(-1);
        if (curl.exitCode() != 0) state.SkipWithError("curl failed");
    }
    ReportThroughput(state, mib * kMiB);
}
BENCHMARK(BM_CurlProgramFileDownload)->Arg(256)->Unit(benchmark::kMillisecond)->UseRealTime();

// Into memory with a known length: the body must be allocated once, at its full size.
void BM_EngineMemoryDownload(benchmark::State& state) {
    const std::int64_t mib = state.range(0);
    CreateData(mib);
    std::size_t storages = 0;
    double peakGrowth = 0;
    for (auto _ : state) {
        TkuHTTP http;
        http.SetTransferBufferSize(static_cast<std::int32_t>(state.range(1)));
        http.SetURL(DataUrl(mib));
        std::set<const char*> seen;
        http.OnProgress = [&](QObject*, const std::string&, std::int32_t, std::int32_t,
                              std::int32_t, std::int32_t, std::uint8_t, float, QIODevice* stream) {
            seen.insert(static_cast<QBuffer*>(stream)->buffer().constData());
        };
        bool done = false;
        http.OnDone = [&](QObject*, const std::string&, std::int32_t size, QIODevice*) {
            done = size == mib * kMiB;
        };
        peakGrowth = std::max(peakGrowth, PeakGrowthMiB(http));
        storages = std::max(storages, seen.size());
        if (!done) state.SkipWithError("download failed");
    }
    ReportThroughput(state, mib * kMiB);
    state.counters["body_allocations"] = static_cast<double>(storages);
    state.counters["peak_rss_growth_MiB"] = peakGrowth;
}
BENCHMARK(BM_EngineMemoryDownload)
    ->Args({64, 8192})
    ->Args({64, 1 << 20})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// From Pause to OnAborted while the server sends nothing.
void BM_PauseOfAStalledTransfer(benchmark::State& state) {
    double worstMs = 0;
    for (auto _ : state) {
        TkuHTTP http;
        http.SetURL(loopback->Url("/data/100000?stall=5000"));
        bool started = false, aborted = false;
        http.OnProgress = [&](QObject*, const std::string&, std::int32_t, std::int32_t,
                              std::int32_t, std::int32_t, std::uint8_t, float,
                              QIODevice*) { started = true; };
        http.OnAborted = [&](QObject*) { aborted = true; };
        http.Read(false);
        while (!started) QCoreApplication::processEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));  // well inside the stall
        const auto asked = std::chrono::steady_clock::now();
        http.Pause();
        while (!aborted) QCoreApplication::processEvents();
        const auto elapsed = std::chrono::steady_clock::now() - asked;
        state.SetIterationTime(std::chrono::duration<double>(elapsed).count());
        worstMs = std::max(worstMs, std::chrono::duration<double, std::milli>(elapsed).count());
    }
    state.counters["worst_ms"] = worstMs;
}
BENCHMARK(BM_PauseOfAStalledTransfer)
    ->Iterations(20)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    TNginxServer server("");
    TLoopbackServer misbehaving;
    nginx = &server;
    loopback = &misbehaving;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
