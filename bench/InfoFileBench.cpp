#include <benchmark/benchmark.h>

#include <string>

#include "update/info/kuInfoFile.h"

namespace {

// An info file listing that many files, each under its own numbered key.
std::string InfoFileText(int entries) {
    std::string text = "#version=1.2.1.3\r\n#message={Many files.}\r\n";
    for (int n = 1; n <= entries; ++n)
        text += "#url" + std::to_string(n) + "=http://update.example/upgrade/tessaro/file" +
                std::to_string(n) + ".bin=%current%data/file" + std::to_string(n) + ".bin\r\n";
    return text;
}

// 8,000 entries must parse in well under 100 ms.
void BM_ReadInfoFileEntries(benchmark::State& state) {
    const std::string text = InfoFileText(static_cast<int>(state.range(0)));
    tessaro::TkuStringList files;
    for (auto _ : state) {
        tessaro::ReadInfoFileEntries(text, files);
        benchmark::DoNotOptimize(files.Count());
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ReadInfoFileEntries)
    ->RangeMultiplier(4)
    ->Range(500, 8000)
    ->Complexity()
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
