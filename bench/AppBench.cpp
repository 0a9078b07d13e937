// The window against the command line on the same 128 files: the time until
// the window shows its last row, and the same files through `tessaro-cli probe`
// and through the add routine alone. Also the cold start of a process that
// opens the window, timed from its spawn until the window is exposed.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <QApplication>
#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

#include "CorpusVideos.h"
#include "app/Unit1.h"
#include "encode/AddFiles.h"
#include "platform/Locale.h"

extern char** environ;

namespace {

using namespace tessaro;
using Clock = std::chrono::steady_clock;

constexpr char kColdStartChild[] = "--cold-start-child";

// 128 paths taken round the corpus: the list's whole capacity.
const std::vector<std::string>& Files128() {
    static const std::vector<std::string> files = [] {
        const std::vector<std::string> corpus = bench::CorpusVideos();
        std::vector<std::string> paths;
        for (size_t index = 0; !corpus.empty() && paths.size() < kMaxJobRows; ++index) {
            paths.push_back(corpus[index % corpus.size()]);
        }
        return paths;
    }();
    return files;
}

// Settings, registry and temp files of the benchmark stay in a folder of its own.
void UsePrivateUserFolders(const QTemporaryDir& root) {
    const std::string base = root.path().toStdString();
    for (const char* name :
         {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "TEMP", "APPDATA", "TESSARO_REGISTRY_DIR"}) {
        const std::string folder = base + "/" + name;
        QDir().mkpath(QString::fromStdString(folder));
        ::setenv(name, folder.c_str(), 1);
    }
}

int Spawn(const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    pid_t pid = 0;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    const int failed = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failed != 0) {
        return -1;
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void BM_WindowAddUntilLastRowShown(benchmark::State& state) {
    if (Files128().empty()) {
        return state.SkipWithError("no corpus: run scripts/make-corpus.sh " TESSARO_CORPUS_DIR);
    }
    QStringList paths;
    for (const std::string& path : Files128()) {
        paths.append(QString::fromStdString(path));
    }
    TMainForm form;
    form.show();
    if (!QTest::qWaitForWindowExposed(&form)) {
        return state.SkipWithError("window not exposed");
    }
    auto* list = form.findChild<QTreeWidget*>(QStringLiteral("ListView1"));
    for (auto _ : state) {
        list->clear();
        QSignalSpy finished(&form, &TMainForm::AddingFinished);
        form.AddFiles(paths);
        finished.wait(600000);
        list->viewport()->repaint();
        if (list->topLevelItemCount() != static_cast<int>(paths.size())) {
            return state.SkipWithError("rows missing");
        }
    }
    state.SetItemsProcessed(state.iterations() * paths.size());
}

void BM_CliProbe(benchmark::State& state) {
    if (Files128().empty()) {
        return state.SkipWithError("no corpus");
    }
    std::vector<std::string> command = {TESSARO_BIN_DIR "/tessaro-cli", "probe"};
    command.insert(command.end(), Files128().begin(), Files128().end());
    for (auto _ : state) {
        if (Spawn(command) != 0) {
            return state.SkipWithError("tessaro-cli probe failed");
        }
    }
    state.SetItemsProcessed(state.iterations() * Files128().size());
}

void BM_AddRoutineAlone(benchmark::State& state) {
    if (Files128().empty()) {
        return state.SkipWithError("no corpus");
    }
    for (auto _ : state) {
        JobList rows;
        benchmark::DoNotOptimize(tessaro::AddFiles(Files128(), 0, rows));
    }
    state.SetItemsProcessed(state.iterations() * Files128().size());
}

// Each iteration starts this program again in child mode, which opens the
// window and reports how long after its spawn the window was exposed.
void BM_ColdStartToWindowShown(benchmark::State& state) {
    const std::string self = QCoreApplication::applicationFilePath().toStdString();
    for (auto _ : state) {
        const auto spawned = Clock::now().time_since_epoch();
        const std::string stamp =
            std::to_string(std::chrono::duration_cast<std::chrono::nanoseconds>(spawned).count());
        const std::string result =
            QDir::temp().filePath(QStringLiteral("tessaro-cold-start")).toStdString();
        if (Spawn({self, kColdStartChild, stamp, result}) != 0) {
            return state.SkipWithError("child failed");
        }
        FILE* file = std::fopen(result.c_str(), "r");
        double seconds = 0;
        const bool read = file != nullptr && std::fscanf(file, "%lf", &seconds) == 1;
        if (file != nullptr) {
            std::fclose(file);
        }
        std::remove(result.c_str());
        if (!read) {
            return state.SkipWithError("no timing from the child");
        }
        state.SetIterationTime(seconds);
    }
}

int ColdStartChild(int argc, char** argv) {
    const long long spawned = std::atoll(argv[2]);
    QApplication application(argc, argv);
    TMainForm form;
    form.show();
    if (!QTest::qWaitForWindowExposed(&form)) {
        return 1;
    }
    const auto now =
        std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch())
            .count();
    FILE* file = std::fopen(argv[3], "w");
    if (file == nullptr) {
        return 1;
    }
    std::fprintf(file, "%.9f\n", static_cast<double>(now - spawned) / 1e9);
    std::fclose(file);
    return 0;
}

}  // namespace

BENCHMARK(BM_WindowAddUntilLastRowShown)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_CliProbe)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_AddRoutineAlone)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_ColdStartToWindowShown)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    platform::EnsureUtf8CharacterLocale();
    if (argc == 4 && std::string(argv[1]) == kColdStartChild) {
        return ColdStartChild(argc, argv);
    }
    QTemporaryDir user;
    UsePrivateUserFolders(user);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
