#include <sodium.h>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "SignTestSupport.h"
#include "update/sign/kuMinisignPublicKey.h"
#include "update/sign/kuUpdateTrustedComment.h"
#include "update/sign/kuVerifyFileSignature.h"

namespace {

using namespace tessaro;
using test::TSignForm;

constexpr std::int64_t kFileSize = 256LL * 1024 * 1024;
constexpr std::size_t kChunk = 256 * 1024;
const std::string kComment = UpdateTrustedComment("tessaro.bin", "1.2.1.3");

testing::TempDir* folder = nullptr;
std::optional<TkuMinisignPublicKey> key;
std::map<TSignForm, std::string> signatures;

std::string DataPath() {
    return folder->File("tessaro.bin");
}

bool MakeSignedFile() {
    std::ofstream file(DataPath(), std::ios::binary);
    std::vector<char> block(kChunk);
    randombytes_buf(block.data(), block.size());
    for (std::int64_t written = 0; written < kFileSize; written += kChunk)
        file.write(block.data(), static_cast<std::streamsize>(block.size()));
    file.close();
    const test::TMinisignKey release(*folder, "release");
    key = ParseMinisignPublicKey(release.PublicKeyText());
    for (TSignForm form : {TSignForm::Prehashed, TSignForm::Legacy})
        signatures[form] = release.Sign(DataPath(), kComment, form);
    return file.good() && key && !signatures[TSignForm::Prehashed].empty() &&
           !signatures[TSignForm::Legacy].empty();
}

// A memory figure of this process from /proc/self/status ("VmHWM:", "VmRSS:"), in KiB.
double StatusKiB(const std::string& name) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.starts_with(name)) return std::stod(line.substr(name.size()));
    return 0;
}

// Runs the call and returns how far the resident memory rose above its start.
double PeakGrowthKiB(const std::function<void()>& call) {
    std::ofstream("/proc/self/clear_refs") << "5";  // the peak starts again from here
    const double before = StatusKiB("VmRSS:");
    call();
    return StatusKiB("VmHWM:") - before;
}

// The file read in the same chunks into the hash the form rests on: BLAKE2b-512 for the
// prehashed form, SHA-512 (the core of Ed25519) for the legacy one.
void HashFile(TSignForm form) {
    std::FILE* file = std::fopen(DataPath().c_str(), "rb");
    std::vector<unsigned char> chunk(kChunk), digest(64);
    crypto_generichash_state blake;
    crypto_hash_sha512_state sha;
    crypto_generichash_init(&blake, nullptr, 0, digest.size());
    crypto_hash_sha512_init(&sha);
    while (const std::size_t got = std::fread(chunk.data(), 1, chunk.size(), file)) {
        if (form == TSignForm::Prehashed)
            crypto_generichash_update(&blake, chunk.data(), got);
        else
            crypto_hash_sha512_update(&sha, chunk.data(), got);
    }
    std::fclose(file);
    crypto_generichash_final(&blake, digest.data(), digest.size());
    crypto_hash_sha512_final(&sha, digest.data());
    benchmark::DoNotOptimize(digest.data());
}

double SecondsOf(const std::function<void()>& call) {
    const auto start = std::chrono::steady_clock::now();
    call();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void BM_VerifyFile(benchmark::State& state) {
    const auto form = static_cast<TSignForm>(state.range(0));
    double peakGrowth = 0;
    double verifySeconds = 0;
    for (auto _ : state) {
        bool valid = false;
        const auto verify = [&] {
            valid = VerifyFileSignature(*key, DataPath(), signatures[form], kComment) ==
                    TkuSignatureVerdict::Valid;
        };
        verifySeconds +=
            SecondsOf([&] { peakGrowth = std::max(peakGrowth, PeakGrowthKiB(verify)); });
        if (!valid) state.SkipWithError("the signature did not verify");
    }
    state.SetBytesProcessed(state.iterations() * kFileSize);
    state.SetLabel(test::FormName(form));
    state.counters["peak_rss_growth_KiB"] = peakGrowth;
    // Above 1 when verifying is slower than hashing the file alone.
    double hashSeconds = 0;
    for (int round = 0; round < 3; ++round) hashSeconds += SecondsOf([&] { HashFile(form); });
    state.counters["time_vs_hash"] =
        (verifySeconds / static_cast<double>(state.iterations())) / (hashSeconds / 3);
}
BENCHMARK(BM_VerifyFile)
    ->Arg(static_cast<int>(TSignForm::Prehashed))
    ->Arg(static_cast<int>(TSignForm::Legacy))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The command-line tools on the same file, for scale.
void BM_HashProgram(benchmark::State& state) {
    const std::string program = state.range(0) == 0 ? "/usr/bin/b2sum" : "/usr/bin/sha512sum";
    for (auto _ : state)
        if (test::RunTool({program, DataPath()}).exitCode != 0) state.SkipWithError("failed");
    state.SetBytesProcessed(state.iterations() * kFileSize);
    state.SetLabel(program.substr(program.rfind('/') + 1));
}
BENCHMARK(BM_HashProgram)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    if (sodium_init() < 0) return 1;
    testing::TempDir dir;
    folder = &dir;
    if (!MakeSignedFile()) {
        std::fprintf(stderr, "could not make and sign the test file\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
