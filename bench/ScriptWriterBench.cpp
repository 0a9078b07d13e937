#include <benchmark/benchmark.h>

#include <string>

#include "encode/ScriptWriter.h"

namespace tessaro {
namespace {

// A full job list: every decision code in turn, as a long list of mixed files gives.
JobList FullList(const std::string& folder, char separator) {
    JobList rows;
    for (size_t index = 0; index < 128; ++index) {
        const int code = static_cast<int>(index % 13) - 1;
        const bool subtitle = code >= 7;
        JobRow row;
        row.caption =
            folder + separator + "clip " + std::to_string(index) + (subtitle ? ".srt" : ".mkv");
        row.subItems = {"MPEG-4 Visual",
                        "XVID",
                        "1280",
                        "720",
                        "AC-3",
                        code == 0 ? "Yes" : "No",
                        std::to_string(code),
                        std::to_string(500 + index * 20)};
        rows.push_back(row);
    }
    return rows;
}

ScriptOptions Options(ScriptDialect dialect) {
    ScriptOptions options;
    options.dialect = dialect;
    options.copyToDrive = true;
    if (dialect == ScriptDialect::cmd) {
        options.outputFolder = "D:\\Out";
        options.drive = "E:";
        options.exeFolder = "C:\\App\\";
        options.tempFolder = "C:\\Temp";
    } else {
        options.outputFolder = "/nonexistent/tessaro-bench/out";
        options.drive = "/nonexistent/tessaro-bench/stick";
        options.exeFolder = "/nonexistent/tessaro-bench/bin";
        options.tempFolder = "/nonexistent/tessaro-bench/tmp";
    }
    return options;
}

void BM_BuildScript128Rows(benchmark::State& state, ScriptDialect dialect) {
    const ScriptOptions options = Options(dialect);
    const JobList rows =
        FullList(dialect == ScriptDialect::cmd ? "C:\\Videos" : "/nonexistent/tessaro-bench/videos",
                 dialect == ScriptDialect::cmd ? '\\' : '/');
    for (auto _ : state) {
        Script script = BuildScript(options, rows, {});
        benchmark::DoNotOptimize(script.text.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(rows.size()));
}

BENCHMARK_CAPTURE(BM_BuildScript128Rows, cmd, ScriptDialect::cmd)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_BuildScript128Rows, sh, ScriptDialect::sh)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tessaro

BENCHMARK_MAIN();
