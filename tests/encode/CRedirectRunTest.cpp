#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "RecordingStatusBar.h"
#include "encode/CRedirect.h"
#include "platform/ProcessKiller.h"
#include "platform/ProcessTestSupport.h"

namespace tessaro {
namespace {

using testing::Eventually;
using testing::OutsideProcess;
using testing::ProcessEnded;
using testing::RecordingStatusBar;
using testing::TempDir;
using testing::WriteTextFile;

constexpr std::string_view kCancelled = "\r\nCancelled.\r\n\r\nProcess terminated successfully.\r\n";

// Stands in for the window: runs a callback each time the runner lets it
// handle its input, and waits with poll(2) like the default.
class ScriptedPump final : public IEventPump {
public:
    void PumpMessages() override {
        ++pumps;
        if (onPump) onPump();
    }
    void WaitIdle(std::span<const int> fds, int timeoutMs) override { poll.WaitIdle(fds, timeoutMs); }

    std::function<void()> onPump;
    int pumps = 0;
    PollEventPump poll;
};

// Reads the pid a script wrote into a file of the temp folder.
pid_t ReadPid(const std::string& path) {
    try {
        return static_cast<pid_t>(std::stoi(testing::ReadTextFile(path)));
    } catch (const std::exception&) {
        return -1;
    }
}

class CRedirectRun : public ::testing::Test {
protected:
    std::string Script(const std::string& body) {
        const std::string path = dir.File("run.sh");
        WriteTextFile(path, body);
        return path;
    }

    std::string RunCapturing(CRedirect& runner, bool showConsole = false) {
        runner.SetOutputObserver([this](std::string_view chunk) {
            output += chunk;
            chunkSizes.push_back(chunk.size());
        });
        runner.Run(showConsole);
        return output;
    }

    TempDir dir;
    RecordingStatusBar bar;
    std::string output;
    std::vector<size_t> chunkSizes;
};

TEST_F(CRedirectRun, DeliversEveryByteWrittenBeforeTheScriptEnded) {
    // Far more than a pipe holds, ending right at the exit.
    CRedirect runner(Script("echo '#JOB#Job:1/1'\necho '#STATUS#Encoding'\n"
                            "i=0; while [ $i -lt 20000 ]; do echo \"line $i of the tool\"; i=$((i+1)); done\n"
                            "echo '#STATUS#Completed'\n"),
                     bar);
    RunCapturing(runner);
    std::string expected = "#JOB#Job:1/1\n#STATUS#Encoding\n";
    for (int i = 0; i < 20000; ++i) expected += "line " + std::to_string(i) + " of the tool\n";
    expected += "#STATUS#Completed\n";
    EXPECT_EQ(output, expected);
    EXPECT_EQ(bar.panels[0], "Job:1/1");
    EXPECT_EQ(bar.panels[1], "Completed");
    EXPECT_FALSE(runner.Failed());
    for (size_t size : chunkSizes) EXPECT_LE(size, 1023u);
}

TEST_F(CRedirectRun, ErrorOutputIsCapturedAndBackspacesBecomeSpaces) {
    CRedirect runner(Script("printf 'a\\bb\\n'\necho '#STATUS#from stderr' >&2\n"), bar);
    RunCapturing(runner);
    EXPECT_EQ(output, "a b\n#STATUS#from stderr\n");
    EXPECT_EQ(bar.panels[1], "from stderr");
}

TEST_F(CRedirectRun, ConsoleShownCapturesNothing) {
    CRedirect runner(Script("echo '#STATUS#to the terminal'\n"), bar);
    RunCapturing(runner, true);
    EXPECT_EQ(output, "");
    EXPECT_TRUE(bar.changes.empty());
    EXPECT_FALSE(runner.Failed());
}

TEST_F(CRedirectRun, StartsInTheGivenFolderAndTakesARelativeScriptPathAsAFile) {
    WriteTextFile(dir.File("-x.sh"), "pwd\n");
    TempDir elsewhere;
    const std::string previous = std::filesystem::current_path().string();
    std::filesystem::current_path(dir.Path());
    CRedirect runner("-x.sh", bar, elsewhere.Path().string());
    RunCapturing(runner);
    std::filesystem::current_path(previous);
    EXPECT_EQ(output, elsewhere.Path().string() + "\n");
}

TEST_F(CRedirectRun, EndsWhenTheScriptEndsEvenIfAToolKeepsThePipeOpen) {
    const std::string sleeper = testing::MakeUniqueSleeper(dir, "zzhold");
    CRedirect runner(Script("'" + sleeper + "' 30 &\necho $! > '" + dir.File("tool.pid") +
                            "'\necho '#STATUS#Completed'\n"),
                     bar);
    const auto started = std::chrono::steady_clock::now();
    RunCapturing(runner);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5));
    EXPECT_EQ(bar.panels[1], "Completed");
    const pid_t tool = ReadPid(dir.File("tool.pid"));
    ASSERT_GT(tool, 0);
    // The tool outlived its script; it belonged to this run, so it is ended too.
    EXPECT_TRUE(ProcessEnded(tool));
}

struct StartFailure {
    const char* name;
    std::function<std::string(const TempDir&)> scriptPath;
    std::string error;
};

void PrintTo(const StartFailure& failure, std::ostream* out) { *out << failure.name; }

class CRedirectStartFailure : public ::testing::TestWithParam<StartFailure> {};

TEST_P(CRedirectStartFailure, ReportsAndReturns) {
    TempDir dir;
    RecordingStatusBar bar;
    CRedirect runner(GetParam().scriptPath(dir), bar);
    std::string output;
    runner.SetOutputObserver([&](std::string_view chunk) { output += chunk; });
    runner.Run(false);
    EXPECT_EQ(runner.ErrorText(), GetParam().error);
    EXPECT_EQ(output.rfind("Error creating process\r\n", 0), 0u) << output;
    EXPECT_TRUE(bar.changes.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, CRedirectStartFailure,
    ::testing::Values(
        StartFailure{"Missing", [](const TempDir& d) { return d.File("missing.sh"); },
                     "Error creating process: No such file or directory"},
        StartFailure{"Folder", [](const TempDir& d) { return d.Path().string(); },
                     "Error creating process: Is a directory"},
        StartFailure{"UnderAFile",
                     [](const TempDir& d) {
                         WriteTextFile(d.File("plain"), "x");
                         return d.File("plain/run.sh");
                     },
                     "Error creating process: Not a directory"}),
    [](const ::testing::TestParamInfo<StartFailure>& info) { return std::string(info.param.name); });

TEST_F(CRedirectRun, StopEndsTheScriptAndTheToolItRunsButNothingElse) {
    const std::string sleeper = testing::MakeUniqueSleeper(dir, "zzstop");
    OutsideProcess outside({sleeper, "30"});
    const std::string pidFile = dir.File("script.pid");
    ScriptedPump pump;
    CRedirect runner(Script("echo $$ > '" + pidFile + "'\necho '#STATUS#Encoding'\n'" + sleeper +
                            "' 30\necho '#STATUS#Completed'\n"),
                     bar, {}, &pump);
    runner.SetSleepInterval(200);
    // Stop once the tool runs, as the window's Stop button would.
    pump.onPump = [&] {
        if (!runner.StopRequested() && platform::LiveGroupMembers(ReadPid(pidFile)).size() == 2)
            runner.Stop();
    };
    RunCapturing(runner);
    EXPECT_TRUE(output.ends_with(kCancelled)) << output;
    EXPECT_EQ(bar.panels[1], "Encoding");
    const pid_t group = ReadPid(pidFile);
    ASSERT_GT(group, 0);
    EXPECT_TRUE(platform::LiveGroupMembers(group).empty());
    EXPECT_TRUE(outside.Alive());
    EXPECT_FALSE(runner.Failed());
}

TEST_F(CRedirectRun, StopTakesEffectWhileTheScriptFloodsItsOutput) {
    ScriptedPump pump;
    CRedirect runner(Script("echo '#STATUS#Flooding'\nwhile :; do echo 'more and more output'; done\n"), bar,
                     {}, &pump);
    pump.onPump = [&] {
        if (pump.pumps == 50) runner.Stop();
    };
    RunCapturing(runner);
    EXPECT_TRUE(output.ends_with(kCancelled));
    EXPECT_GE(pump.pumps, 50);
}

TEST_F(CRedirectRun, StopFromAnotherThreadWakesTheIdleWait) {
    CRedirect runner(Script("echo '#STATUS#Waiting'\nexec sleep 30\n"), bar);
    // A long interval: only the wake-up can end the wait in time.
    runner.SetSleepInterval(60000);
    std::atomic<bool> waiting{false};
    runner.SetOutputObserver([&](std::string_view chunk) {
        if (chunk.find("Waiting") != std::string_view::npos) waiting = true;
    });
    std::thread stopper([&] {
        Eventually([&] { return waiting.load(); });
        runner.Stop();
    });
    const auto started = std::chrono::steady_clock::now();
    runner.Run(false);
    stopper.join();
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(20));
    EXPECT_TRUE(runner.StopRequested());
    EXPECT_EQ(bar.panels[1], "Waiting");
}

TEST_F(CRedirectRun, StopWithTheConsoleShownEndsTheScript) {
    ScriptedPump pump;
    CRedirect runner(Script("exec sleep 30\n"), bar, {}, &pump);
    pump.onPump = [&] { runner.Stop(); };
    std::string seen;
    runner.SetOutputObserver([&](std::string_view chunk) { seen += chunk; });
    const auto started = std::chrono::steady_clock::now();
    runner.Run(true);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(20));
    EXPECT_EQ(seen, kCancelled);
}

}  // namespace
}  // namespace tessaro
