#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "update/thread/kuThread.h"

namespace {

tessaro::TkuThread* workerComponent = nullptr;

double Percentile(std::vector<double>& samples, double fraction) {
    const auto index = static_cast<std::size_t>(fraction * static_cast<double>(samples.size() - 1));
    std::nth_element(samples.begin(), samples.begin() + static_cast<std::ptrdiff_t>(index),
                     samples.end());
    return samples[index];
}

// One blocking call from the worker into the interface thread and back.
void BM_SynchronizeRoundTrip(benchmark::State& state) {
    std::vector<double> microseconds;
    microseconds.reserve(1 << 16);
    int calls = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        workerComponent->Synchronize([&calls] { ++calls; });
        const auto elapsed = std::chrono::steady_clock::now() - start;
        microseconds.push_back(std::chrono::duration<double, std::micro>(elapsed).count());
    }
    benchmark::DoNotOptimize(calls);
    state.counters["median_us"] = Percentile(microseconds, 0.50);
    state.counters["p99_us"] = Percentile(microseconds, 0.99);
}
BENCHMARK(BM_SynchronizeRoundTrip)->UseRealTime();

}  // namespace

// The benchmarks run as the work of a thread component while the main thread runs the
// application's event loop, as the interface thread does in the program.
int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    tessaro::TkuThread thread;
    workerComponent = &thread;
    thread.SetOnExecute([](QObject*) { benchmark::RunSpecifiedBenchmarks(); });
    thread.SetOnTerminate([](QObject*) { QCoreApplication::quit(); });
    thread.Execute();
    const int result = QCoreApplication::exec();
    benchmark::Shutdown();
    return result;
}
