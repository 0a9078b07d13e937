#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "update/http/kuURLEncoding.h"
#include "update/utils/kuBase64.h"

namespace {

// Reproducible bytes covering the whole byte range, as uploads and queries carry.
std::string MixedBytes(std::size_t size) {
    std::string bytes(size, '\0');
    std::uint32_t state = 0x12345678u;
    for (char& byte : bytes) {
        state = state * 1664525u + 1013904223u;
        byte = static_cast<char>(state >> 24);
    }
    return bytes;
}

// Query text: mostly plain characters with spaces and a few bytes to escape.
std::string QueryText(std::size_t size) {
    const std::string pattern = "name=J\xC3\xBCrgen Smith&file=report 2024.txt&x=1+2#";
    std::string text;
    while (text.size() < size) text += pattern;
    text.resize(size);
    return text;
}

void BM_Base64Encode8MiB(benchmark::State& state) {
    const std::string input = MixedBytes(8u << 20);
    for (auto _ : state) benchmark::DoNotOptimize(tessaro::Base64Encode(input));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(input.size()));
}
BENCHMARK(BM_Base64Encode8MiB)->Unit(benchmark::kMillisecond);

void BM_URLEncode1MiB(benchmark::State& state) {
    const std::string input = QueryText(1u << 20);
    for (auto _ : state) benchmark::DoNotOptimize(tessaro::URLEncode(input));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(input.size()));
}
BENCHMARK(BM_URLEncode1MiB)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
