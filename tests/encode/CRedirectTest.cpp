#include "encode/CRedirect.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "RecordingRunView.h"
#include "platform/ProcessKiller.h"
#include "platform/ProcessTestSupport.h"

namespace tessaro {
namespace {

using testing::RecordingStatusBar;
using testing::TempDir;
using testing::WriteTextFile;
using Clock = std::chrono::steady_clock;

constexpr std::string_view kCancelled =
    "\r\nCancelled.\r\n\r\nProcess terminated successfully.\r\n";

std::string Repeat(std::string_view text, int times) {
    std::string result;
    while (times-- > 0) result += text;
    return result;
}

// Chunks in order, then panel 0 and panel 1; "=" means untouched.
TEST(OnOutput, SetsThePanelsFromTheLastMarkerOfAChunk) {
    const std::vector<std::tuple<std::vector<std::string>, std::string, std::string>> cases = {
        {{"#JOB#Job:2/5\r\n#STATUS#Encoding\r\n"}, "Job:2/5", "Encoding"},
        {{"#JOB#Job:2/5\n#STATUS#Encoding\n"}, "Job:2/5", "Encoding"},
        {{"#STATUS#Encoding\r\n#STATUS#Copyto /media/x/\r\n"}, "=", "Copyto /media/x/"},
        {{"#JOB#Job:1/3\n#JOB#Job:2/3\n"}, "Job:2/3", "="},
        {{"Pos:   1.2s     30f ( 3%)  25.00fps\rPos:   1.3s"},
         "=",
         "Pos:   1.2s     30f ( 3%)  25.00fps"},
        {{"xPos:   1.2s     30f\r"}, "=", "="},
        {{"Pos: 1s\r#STATUS#Completed\n"}, "=", "Completed"},
        {{"MEncoder 1.5 (Debian)\nsuccess: format: 0\n"}, "=", "="},
        // A marker split across chunks is not recognised.
        {{"output then #STA", "TUS#Encoding\n"}, "=", "="},
        {{"#STATUS#" + std::string(300, 'x')}, "=", std::string(128, 'x')},
        {{"#STATUS#" + Repeat("\xC3\xA9", 200)}, "=", Repeat("\xC3\xA9", 128)},
        {{"#STATUS#\r\n"}, "=", ""},
        {{std::string("#JOB#Job:1/1\n\0#STATUS#Hidden\n", 29)}, "Job:1/1", "="},
        {{"echo said #JOB#Job:9/9 here\n"}, "Job:9/9 here", "="}};
    for (const auto& [chunks, job, status] : cases) {
        RecordingStatusBar bar;
        bar.panels = {"=", "="};
        CRedirect runner("unused.sh", bar);
        std::vector<std::string> seen;
        runner.SetOutputObserver([&](std::string_view chunk) { seen.emplace_back(chunk); });
        for (const std::string& chunk : chunks) runner.OnOutput(chunk);
        EXPECT_EQ(bar.panels, (std::array{job, status})) << chunks.front();
        EXPECT_EQ(seen, chunks) << "every chunk reaches the observer";
    }
}

TEST(ReportError, ComposesMessageAndSystemTextKeepsTheFirstAndLeavesThePanels) {
    RecordingStatusBar bar;
    CRedirect runner("unused.sh", bar);
    std::string output;
    runner.SetOutputObserver([&](std::string_view chunk) { output += chunk; });
    runner.ReportError("Error creating pipe", EMFILE);
    runner.ReportError("ReadFile fialed", 99999);
    EXPECT_EQ(output,
              "Error creating pipe\r\nToo many open files\r\n"
              "ReadFile fialed\r\nNo status because FormatMessage failed.\r\n");
    EXPECT_TRUE(bar.changes.empty());
    EXPECT_EQ(runner.ErrorText(), "Error creating pipe: Too many open files");
    // Searching from before the start or past the end finds nothing.
    EXPECT_EQ((std::array{CRedirect::FindFrom("#JOB#a#JOB#b", "#JOB#", 1),
                          CRedirect::FindFrom("#JOB#a#JOB#b", "#JOB#", 7),
                          CRedirect::FindFrom("abc", "a", -1), CRedirect::FindFrom("", "x", 0)}),
              (std::array{6, -1, -1, -1}));
}

pid_t ReadPid(const std::string& path) {
    const std::string text = testing::ReadTextFile(path);
    return text.empty() ? -1 : std::atoi(text.c_str());
}

class CRedirectRun : public ::testing::Test {
protected:
    // A runner for `body`, or for the script at `path` started in `folder`.
    CRedirect& Runner(const std::string& body, const std::string& path = {},
                      const std::string& folder = {}) {
        WriteTextFile(dir.File("run.sh"), body);
        runner = std::make_unique<CRedirect>(path.empty() ? dir.File("run.sh") : path, bar, folder,
                                             &pump);
        runner->SetOutputObserver([this](std::string_view chunk) {
            output += chunk;
            chunkSizes.push_back(chunk.size());
        });
        return *runner;
    }

    TempDir dir;
    RecordingStatusBar bar;
    testing::CallbackPump pump;
    std::unique_ptr<CRedirect> runner;
    std::string output;
    std::vector<size_t> chunkSizes;
};

TEST_F(CRedirectRun, DeliversEveryByteOfBothStreamsWrittenBeforeTheScriptEnded) {
    // Far more than a pipe holds, ending right at the exit; backspaces become spaces.
    Runner(
        "printf 'a\\bb\\n'\necho '#STATUS#from stderr' >&2\necho '#JOB#Job:1/1'\n"
        "i=0; while [ $i -lt 20000 ]; do echo \"line $i of the tool\"; i=$((i+1)); done\necho "
        "'#STATUS#Completed'\n")
        .Run(false);
    std::string expected = "a b\n#STATUS#from stderr\n#JOB#Job:1/1\n";
    for (int i = 0; i < 20000; ++i) expected += "line " + std::to_string(i) + " of the tool\n";
    EXPECT_EQ(output, expected + "#STATUS#Completed\n");
    // The early markers are always whole in the first read; the last one may be
    // cut between two reads behind the flood, and a cut marker is not shown.
    EXPECT_EQ(bar.panels[0], "Job:1/1");
    EXPECT_NE(std::ranges::find(bar.changes, std::pair(1, std::string("from stderr"))),
              bar.changes.end());
    EXPECT_FALSE(runner->Failed());
    EXPECT_LE(*std::ranges::max_element(chunkSizes), 1023u);
}

TEST_F(CRedirectRun, StartsInTheGivenFolderAndTakesARelativeScriptPathAsAFile) {
    WriteTextFile(dir.File("-x.sh"), "pwd\n");
    TempDir elsewhere;
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path());
    Runner("", "-x.sh", elsewhere.Path().string()).Run(false);
    std::filesystem::current_path(previous);
    EXPECT_EQ(output, elsewhere.Path().string() + "\n");
}

TEST_F(CRedirectRun, EndsWhenTheScriptEndsEvenIfAToolKeepsThePipeOpen) {
    const std::string sleeper = testing::MakeUniqueSleeper(dir, "zzhold");
    const auto started = Clock::now();
    Runner("'" + sleeper + "' 30 &\necho $! > '" + dir.File("tool.pid") +
           "'\necho '#STATUS#Completed'\n")
        .Run(false);
    EXPECT_LT(Clock::now() - started, std::chrono::seconds(5));
    EXPECT_EQ(bar.panels[1], "Completed");
    // The tool outlived its script; it belonged to this run, so it is ended too.
    ASSERT_GT(ReadPid(dir.File("tool.pid")), 0);
    EXPECT_TRUE(testing::ProcessEnded(ReadPid(dir.File("tool.pid"))));
}

TEST_F(CRedirectRun, AScriptThatCannotStartIsReported) {
    WriteTextFile(dir.File("plain"), "x");
    const std::pair<std::string, std::string> cases[] = {
        {dir.File("missing.sh"), "No such file or directory"},
        {dir.Path().string(), "Is a directory"},
        {dir.File("plain/run.sh"), "Not a directory"}};
    for (const auto& [script, error] : cases) {
        output.clear();
        Runner("", script).Run(false);
        EXPECT_EQ(runner->ErrorText(), "Error creating process: " + error);
        EXPECT_TRUE(output.starts_with("Error creating process\r\n")) << output;
    }
    EXPECT_TRUE(bar.changes.empty());
}

TEST_F(CRedirectRun, StopEndsTheScriptAndTheToolItRunsButNothingElse) {
    const std::string sleeper = testing::MakeUniqueSleeper(dir, "zzstop");
    testing::OutsideProcess outside({sleeper, "30"});
    const std::string pidFile = dir.File("script.pid");
    CRedirect& run = Runner("echo $$ > '" + pidFile + "'\necho '#STATUS#Encoding'\n'" + sleeper +
                            "' 30\necho '#STATUS#Completed'\n");
    run.SetSleepInterval(200);
    // Stop once the tool runs, as the window's Stop button would.
    pump.onPump = [&] {
        if (!run.StopRequested() && platform::LiveGroupMembers(ReadPid(pidFile)).size() == 2)
            run.Stop();
    };
    run.Run(false);
    EXPECT_TRUE(output.ends_with(kCancelled)) << output;
    EXPECT_EQ(bar.panels[1], "Encoding");
    ASSERT_GT(ReadPid(pidFile), 0);
    EXPECT_TRUE(platform::LiveGroupMembers(ReadPid(pidFile)).empty());
    EXPECT_TRUE(outside.Alive());
    EXPECT_FALSE(run.Failed());
}

TEST_F(CRedirectRun, StopTakesEffectWhileTheScriptFloodsItsOutputOrRunsInTheConsole) {
    CRedirect& flood =
        Runner("echo '#STATUS#Flooding'\nwhile :; do echo 'more and more output'; done\n");
    pump.onPump = [&] {
        if (pump.pumps == 50) flood.Stop();
    };
    flood.Run(false);
    EXPECT_TRUE(output.ends_with(kCancelled));
    // With the console shown nothing is captured but the stop message.
    output.clear();
    bar.changes.clear();
    CRedirect& console = Runner("echo '#STATUS#to the terminal'\nexec sleep 30\n");
    pump.onPump = [&] { console.Stop(); };
    const auto started = Clock::now();
    console.Run(true);
    EXPECT_LT(Clock::now() - started, std::chrono::seconds(20));
    EXPECT_EQ(output, kCancelled);
    EXPECT_TRUE(bar.changes.empty());
}

TEST_F(CRedirectRun, StopFromAnotherThreadWakesTheIdleWait) {
    CRedirect& run = Runner("echo '#STATUS#Waiting'\nexec sleep 30\n");
    // A long interval: only the wake-up can end the wait in time.
    run.SetSleepInterval(60000);
    std::atomic<bool> waiting{false};
    run.SetOutputObserver(
        [&](std::string_view chunk) { waiting = waiting || chunk.find("Waiting") != chunk.npos; });
    std::thread stopper([&] {
        testing::Eventually([&] { return waiting.load(); });
        run.Stop();
    });
    const auto started = Clock::now();
    run.Run(false);
    stopper.join();
    EXPECT_LT(Clock::now() - started, std::chrono::seconds(20));
    EXPECT_EQ(bar.panels[1], "Waiting");
}

}  // namespace
}  // namespace tessaro
