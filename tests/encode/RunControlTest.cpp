#include "encode/RunControl.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "RecordingRunView.h"
#include "RecordingStatusBar.h"
#include "platform/ProcessTestSupport.h"

namespace tessaro {
namespace {

using testing::RecordingPowerManager;
using testing::RecordingRunView;
using testing::RecordingStatusBar;
using testing::TempDir;
using testing::WriteTextFile;

const std::vector<std::string> kRunningState = {"encode-", "stop+", "closeBlocked+"};
const std::vector<std::string> kIdleState = {"encode+", "stop-", "closeBlocked-"};

std::vector<std::string> Concat(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Lets a test act while a run is in progress, as the window's input would.
class CallbackPump final : public IEventPump {
public:
    void PumpMessages() override {
        if (onPump) onPump();
    }
    void WaitIdle(std::span<const int> fds, int timeoutMs) override { poll.WaitIdle(fds, timeoutMs); }

    std::function<void()> onPump;
    PollEventPump poll;
};

JobRow SkippedRow(const std::string& path) {
    JobRow row;
    row.caption = path;
    row.subItems = {"MPEG-4 Visual", "XVID", "320", "240", "", "Yes", "-1", "512"};
    return row;
}

class RunControlTest : public ::testing::Test {
protected:
    RunControlTest() { control.SetStatusTexts("Stopped", "Completed"); }

    std::string Script(const std::string& body) {
        const std::string path = dir.File("hand.sh");
        WriteTextFile(path, body);
        return path;
    }

    ScriptOptions Options() const {
        ScriptOptions options;
        options.outputFolder = dir.File("out");
        return options;
    }

    TempDir dir;
    RecordingStatusBar bar;
    RecordingRunView view;
    RecordingPowerManager power;
    CallbackPump pump;
    RunControl control{dir.Path().string(), bar, view, power, &pump};
};

TEST_F(RunControlTest, RunShowsTheRunningStateThenTheCompletedText) {
    std::vector<std::string> callsDuringRun;
    std::array<std::string, 2> panelsAtStart;
    bool sawRunning = false;
    pump.onPump = [&] {
        if (sawRunning) return;
        sawRunning = true;
        callsDuringRun = view.calls;
        EXPECT_TRUE(control.Running());
        EXPECT_NE(control.CurrentRunner(), nullptr);
        EXPECT_EQ(control.CurrentRunner()->PollInterval(), 200);
    };
    EXPECT_EQ(control.RunScript(Script("printf '#JOB#Job:1/1\\n#STATUS#Encoding\\n'\nsleep 0.1\n"
                                       "printf '#STATUS#Completed\\n'\n")),
              0);
    EXPECT_TRUE(sawRunning);
    EXPECT_EQ(callsDuringRun, kRunningState);
    EXPECT_EQ(view.calls, Concat(kRunningState, kIdleState));
    EXPECT_FALSE(control.Running());
    EXPECT_EQ(control.CurrentRunner(), nullptr);
    // The script's own "Completed" status is gone; panel 0 has the completed text.
    EXPECT_EQ(bar.panels, (std::array<std::string, 2>{"Completed", ""}));
    EXPECT_NE(std::find(bar.changes.begin(), bar.changes.end(), std::make_pair(0, std::string("Job:1/1"))),
              bar.changes.end());
}

TEST_F(RunControlTest, StopShowsTheStoppedTextAndKeepsTheFlagUntilTheNextRun) {
    pump.onPump = [&] { control.Stop(); };
    control.RunScript(Script("printf '#STATUS#Encoding\\n'\nexec sleep 30\n"));
    EXPECT_TRUE(control.StopFlag());
    EXPECT_EQ(bar.panels, (std::array<std::string, 2>{"Stopped", ""}));
    pump.onPump = nullptr;
    control.RunScript(Script("true\n"));
    EXPECT_FALSE(control.StopFlag());
    EXPECT_EQ(bar.panels[0], "Completed");
}

TEST_F(RunControlTest, StopOutsideARunChangesNothing) {
    control.Stop();
    EXPECT_FALSE(control.StopFlag());
    EXPECT_TRUE(view.calls.empty());
}

TEST_F(RunControlTest, AScriptThatCannotStartDoesNotLookCompleted) {
    control.RunScript(dir.File("missing.sh"));
    EXPECT_EQ(control.LastError(), "Error creating process: No such file or directory");
    EXPECT_EQ(bar.panels, (std::array<std::string, 2>{control.LastError(), ""}));
    EXPECT_EQ(view.calls, Concat(kRunningState, kIdleState));
}

TEST_F(RunControlTest, ShownConsoleMinimisesAndRestores) {
    view.showConsole = true;
    control.RunScript(Script("true\n"));
    EXPECT_EQ(view.calls, Concat(Concat({"minimize"}, kRunningState), Concat(kIdleState, {"restore"})));
}

TEST_F(RunControlTest, EmptyListOrNoSelectionDoesNothing) {
    const JobList none;
    EXPECT_EQ(control.EncodeAll(none, Options()), RunOutcome::nothing);
    EXPECT_EQ(control.EncodeBy(0, "XVID", none, Options()), RunOutcome::nothing);
    const JobList one = {SkippedRow(dir.File("a.avi"))};
    EXPECT_EQ(control.EncodeOne(one, -1, Options()), RunOutcome::nothing);
    EXPECT_EQ(control.EncodeOne(one, 1, Options()), RunOutcome::nothing);
    EXPECT_EQ(control.EncodeBy(4, "XVID", one, Options()), RunOutcome::nothing);
    EXPECT_FALSE(std::filesystem::exists(control.ScriptPath()));
    EXPECT_TRUE(view.calls.empty());
    EXPECT_TRUE(bar.changes.empty());
}

TEST_F(RunControlTest, EncodeCommandsWriteTheScriptBesideTheTempFolderAndRunIt) {
    const JobList rows = {SkippedRow(dir.File("a.avi")), SkippedRow(dir.File("b.avi"))};
    std::string output;
    control.SetOutputObserver([&](std::string_view chunk) { output += chunk; });

    EXPECT_EQ(control.EncodeAll(rows, Options()), RunOutcome::completed);
    EXPECT_EQ(control.ScriptPath(), dir.File("~tmp86CB.sh"));
    EXPECT_TRUE(std::filesystem::exists(control.ScriptPath()));
    EXPECT_NE(output.find("#JOB#Job:2/2"), std::string::npos);

    output.clear();
    EXPECT_EQ(control.EncodeOne(rows, 1, Options()), RunOutcome::completed);
    EXPECT_NE(output.find("#JOB#Job:1/1"), std::string::npos);
    EXPECT_NE(output.find("b.avi"), std::string::npos);
    EXPECT_EQ(output.find("a.avi"), std::string::npos);

    output.clear();
    EXPECT_EQ(control.EncodeBy(3, "(NULL)", rows, Options()), RunOutcome::completed);
    EXPECT_NE(output.find("#JOB#Job:2/2"), std::string::npos);
    EXPECT_EQ(bar.panels[0], "Completed");
    EXPECT_EQ(power.powerOffRequests, 0);
}

TEST_F(RunControlTest, AScriptThatCannotBeWrittenStartsNoRun) {
    ScriptOptions options = Options();
    options.outputFolder.clear();
    EXPECT_THROW(control.EncodeAll({SkippedRow(dir.File("a.avi"))}, options), ScriptError);
    EXPECT_TRUE(view.calls.empty());
}

TEST_F(RunControlTest, NoSecondRunWhileOneIsInProgress) {
    const JobList rows = {SkippedRow(dir.File("a.avi"))};
    RunOutcome nested = RunOutcome::completed;
    pump.onPump = [&] {
        nested = control.EncodeAll(rows, Options());
        pump.onPump = nullptr;
    };
    EXPECT_EQ(control.EncodeAll(rows, Options()), RunOutcome::completed);
    EXPECT_EQ(nested, RunOutcome::nothing);
}

struct ShutdownCase {
    const char* name;
    bool optionOn;
    bool stop;
    bool scriptMissing;
    int expectedRequests;
};

void PrintTo(const ShutdownCase& c, std::ostream* out) { *out << c.name; }

class RunControlShutdown : public RunControlTest, public ::testing::WithParamInterface<ShutdownCase> {};

TEST_P(RunControlShutdown, PowersOffOnlyAfterACompletedRunWithTheOptionOn) {
    const ShutdownCase& c = GetParam();
    view.shutdownAfterEncoding = c.optionOn;
    if (c.stop) pump.onPump = [&] { control.Stop(); };
    const JobList rows = {SkippedRow(dir.File("a.avi"))};
    ScriptOptions options = Options();
    if (c.scriptMissing) {
        // A temp folder that cannot hold the script: the write fails before any run.
        RunControl broken(dir.File("no/such/folder"), bar, view, power, &pump);
        EXPECT_THROW(broken.EncodeAll(rows, options), ScriptError);
    } else {
        control.EncodeAll(rows, options);
    }
    EXPECT_EQ(power.powerOffRequests, c.expectedRequests);
    const bool ended = std::find(view.calls.begin(), view.calls.end(), "end") != view.calls.end();
    EXPECT_EQ(ended, c.expectedRequests == 1);
}

INSTANTIATE_TEST_SUITE_P(Cases, RunControlShutdown,
                         ::testing::Values(ShutdownCase{"CompletedWithOption", true, false, false, 1},
                                           ShutdownCase{"CompletedWithoutOption", false, false, false, 0},
                                           ShutdownCase{"StoppedWithOption", true, true, false, 0},
                                           ShutdownCase{"NotWrittenWithOption", true, false, true, 0}),
                         [](const ::testing::TestParamInfo<ShutdownCase>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(RunControlTest, FailedRunWithTheOptionOnDoesNotPowerOff) {
    view.shutdownAfterEncoding = true;
    view.showConsole = true;
    // The script disappears between writing and starting it.
    view.onMinimize = [&] { std::filesystem::remove(control.ScriptPath()); };
    EXPECT_EQ(control.EncodeAll({SkippedRow(dir.File("a.avi"))}, Options()), RunOutcome::failed);
    EXPECT_EQ(control.LastError(), "Error creating process: No such file or directory");
    EXPECT_EQ(power.powerOffRequests, 0);
}

TEST_F(RunControlTest, ARefusedPowerOffStillEndsTheProgram) {
    view.shutdownAfterEncoding = true;
    power.accept = false;
    EXPECT_FALSE(control.ShutdownComputer());
    EXPECT_EQ(power.powerOffRequests, 1);
    EXPECT_EQ(view.calls, std::vector<std::string>{"end"});
}

TEST_F(RunControlTest, CloseCleanUpRemovesTheScriptOnly) {
    WriteTextFile(control.ScriptPath(), "true\n");
    WriteTextFile(dir.File("2.txt"), "log");
    control.CloseCleanUp();
    EXPECT_FALSE(std::filesystem::exists(control.ScriptPath()));
    EXPECT_TRUE(std::filesystem::exists(dir.File("2.txt")));
    control.CloseCleanUp();  // nothing left: no harm
}

}  // namespace
}  // namespace tessaro
