#include <benchmark/benchmark.h>

#include <array>
#include <string>

#include "text/Zutf8_16.h"

namespace {

// 16 MiB of subtitle cues: mostly ASCII timing lines and dialogue with
// accented Latin and a few Japanese words, as a UTF-8 .srt file would hold.
const std::string& SubtitleText() {
    static const std::string text = [] {
        const std::array<const char*, 4> lines = {
            "Where are you going, Ma\xC3\xAFt\xC3\xA9?\r\n",
            "To the caf\xC3\xA9 on the corner, then home.\r\n",
            "- \xE3\x81\x82\xE3\x82\x8A\xE3\x81\x8C\xE3\x81\xA8\xE3\x81\x86 for everything.\r\n",
            "I will wait here until the train leaves the station.\r\n",
        };
        std::string built;
        built.reserve((16u << 20) + 256);
        for (unsigned cue = 1; built.size() < (16u << 20); ++cue) {
            built += std::to_string(cue) + "\r\n00:01:02,345 --> 00:01:04,567\r\n";
            built += lines[cue % lines.size()];
            built += lines[(cue + 1) % lines.size()];
            built += "\r\n";
        }
        built.resize(16u << 20);
        return built;
    }();
    return text;
}

const unsigned char* Bytes(const std::string& text) {
    return reinterpret_cast<const unsigned char*>(text.data());
}

void BM_IsUtf8(benchmark::State& state) {
    const std::string& text = SubtitleText();
    // A scan that stops early would measure nothing.
    if (tessaro::ZUtf8_16::IsUtf8(Bytes(text), text.size()) != 1) {
        state.SkipWithError("sample text is not recognised as UTF-8");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(tessaro::ZUtf8_16::IsUtf8(Bytes(text), text.size()));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * text.size());
}
BENCHMARK(BM_IsUtf8)->Unit(benchmark::kMillisecond);

void BM_DetectEncoding(benchmark::State& state) {
    const std::string& text = SubtitleText();
    for (auto _ : state) {
        tessaro::ZUtf8_16 detector;
        if (detector.DetectEncoding(Bytes(text), text.size()) != tessaro::ZUtf8_16::UTF8NOBOM) {
            state.SkipWithError("sample text is not detected as UTF-8 without a mark");
            return;
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * text.size());
}
BENCHMARK(BM_DetectEncoding)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
