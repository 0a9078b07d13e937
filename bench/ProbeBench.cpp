// Files per second through ProbeFile against the same six values read straight
// from the library's entry points, on the same corpus files.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include "CorpusVideos.h"
#include "encode/FileKind.h"
#include "encode/MediaInfo.h"
#include "encode/Probe.h"
#include "platform/Locale.h"
#include "platform/Paths.h"

namespace {

using namespace tessaro;

const std::vector<std::string>& Files() {
    static const std::vector<std::string> files = bench::CorpusVideos();
    return files;
}

void BM_ProbeFile(benchmark::State& state) {
    const auto& files = Files();
    if (files.empty())
        return state.SkipWithError("no corpus: run scripts/make-corpus.sh " TESSARO_CORPUS_DIR);
    video_struct record;
    for (auto _ : state)
        for (const auto& path : files) {
            const int8_t code =
                ProbeFile(ClassifyFile(platform::ExtractFileExt(path), 0), record, path, 0);
            benchmark::DoNotOptimize(code);
        }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * files.size()));
}

void ReadSameValuesBare(const MediaInfoEntryPoints& mi, const std::string& path) {
    void* handle = mi.New();
    mi.Open(handle, path.c_str());
    constexpr int video = static_cast<int>(StreamKind::video);
    constexpr int audio = static_cast<int>(StreamKind::audio);
    benchmark::DoNotOptimize(mi.Get(handle, video, 0, "Format", 1, 0));
    benchmark::DoNotOptimize(mi.Get(handle, audio, 0, "Format", 1, 0));
    benchmark::DoNotOptimize(mi.Get(handle, video, 0, "CodecID", 1, 0));
    benchmark::DoNotOptimize(mi.Get(handle, video, 0, "Width", 1, 0));
    benchmark::DoNotOptimize(mi.Get(handle, video, 0, "Height", 1, 0));
    benchmark::DoNotOptimize(mi.Get(handle, video, 0, "BitRate", 1, 0));
    mi.Close(handle);
    mi.Delete(handle);
}

void BM_BareLibraryCalls(benchmark::State& state) {
    const auto& files = Files();
    if (files.empty())
        return state.SkipWithError("no corpus: run scripts/make-corpus.sh " TESSARO_CORPUS_DIR);
    if (LoadMediaInfoLibrary() != 1) return state.SkipWithError("media library not loadable");
    const MediaInfoEntryPoints& entries = *MediaInfoEntries();
    for (auto _ : state)
        for (const auto& path : files) ReadSameValuesBare(entries, path);
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * files.size()));
    UnloadMediaInfoLibrary();
}

BENCHMARK(BM_ProbeFile)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_BareLibraryCalls)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    tessaro::platform::EnsureUtf8CharacterLocale();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
