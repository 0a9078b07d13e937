#include "encode/RunControl.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "RecordingRunView.h"
#include "encode/PopupMenuState.h"
#include "platform/ProcessTestSupport.h"

namespace tessaro {
namespace {

using testing::WriteTextFile;
using Calls = std::vector<std::string>;
using Panels = std::array<std::string, 2>;

const Calls kRunning = {"encode-", "stop+", "closeBlocked+"};
const Calls kRunThenIdle = {"encode-", "stop+", "closeBlocked+", "encode+", "stop-", "closeBlocked-"};

JobRow Row(std::string caption, std::string video = "MPEG-4 Visual", std::string codec = "XVID",
           std::string audio = "", std::string support = "Yes", std::string code = "-1") {
    return {std::move(caption), {std::move(video), std::move(codec), "320", "240", std::move(audio), std::move(support),
                                 std::move(code), "512"}};
}

class RunControlTest : public ::testing::Test {
protected:
    RunControlTest() {
        control.SetStatusTexts("Stopped", "Completed");
        options.outputFolder = dir.File("out");
    }

    std::string Script(const std::string& body) {
        WriteTextFile(dir.File("hand.sh"), body);
        return dir.File("hand.sh");
    }
    bool Ended() const { return std::ranges::find(view.calls, "end") != view.calls.end(); }

    testing::TempDir dir;
    testing::RecordingStatusBar bar;
    testing::RecordingRunView view;
    testing::RecordingPowerManager power;
    testing::CallbackPump pump;
    RunControl control{dir.Path().string(), bar, view, power, &pump};
    ScriptOptions options;
    const JobList rows = {Row(dir.File("a.avi")), Row(dir.File("b.avi"))};
};

TEST_F(RunControlTest, RunShowsTheRunningStateThenTheCompletedText) {
    Calls callsDuringRun;
    pump.onPump = [&] {
        if (!callsDuringRun.empty()) return;
        callsDuringRun = view.calls;
        EXPECT_TRUE(control.Running());
        ASSERT_NE(control.CurrentRunner(), nullptr);
        EXPECT_EQ(control.CurrentRunner()->PollInterval(), 200);
    };
    EXPECT_EQ(control.RunScript(Script("printf '#JOB#Job:1/1\\n#STATUS#Encoding\\n'\nsleep 0.1\n"
                                       "printf '#STATUS#Completed\\n'\n")), 0);
    EXPECT_EQ(callsDuringRun, kRunning);
    EXPECT_EQ(view.calls, kRunThenIdle);
    EXPECT_FALSE(control.Running());
    EXPECT_EQ(control.CurrentRunner(), nullptr);
    // The script's own "Completed" status is gone; panel 0 has the completed text.
    EXPECT_EQ(bar.panels, (Panels{"Completed", ""}));
    EXPECT_NE(std::ranges::find(bar.changes, std::make_pair(0, std::string("Job:1/1"))), bar.changes.end());
    view.calls.clear();
    view.showConsole = true;
    control.RunScript(Script("true\n"));
    EXPECT_EQ(view.calls, (Calls{"minimize", "encode-", "stop+", "closeBlocked+", "encode+", "stop-", "closeBlocked-", "restore"}));
}

TEST_F(RunControlTest, StopShowsTheStoppedTextAndKeepsTheFlagUntilTheNextRun) {
    control.Stop();
    EXPECT_FALSE(control.StopFlag()) << "no run to stop";
    EXPECT_TRUE(view.calls.empty());
    pump.onPump = [&] { control.Stop(); };
    control.RunScript(Script("printf '#STATUS#Encoding\\n'\nexec sleep 30\n"));
    EXPECT_TRUE(control.StopFlag());
    EXPECT_EQ(bar.panels, (Panels{"Stopped", ""}));
    pump.onPump = nullptr;
    control.RunScript(Script("true\n"));
    EXPECT_FALSE(control.StopFlag());
    EXPECT_EQ(bar.panels[0], "Completed");
}

TEST_F(RunControlTest, AScriptThatCannotStartDoesNotLookCompleted) {
    control.RunScript(dir.File("missing.sh"));
    EXPECT_EQ(control.LastError(), "Error creating process: No such file or directory");
    EXPECT_EQ(bar.panels, (Panels{control.LastError(), ""}));
    EXPECT_EQ(view.calls, kRunThenIdle);
}

TEST_F(RunControlTest, EmptyListOrNoSelectionDoesNothing) {
    EXPECT_EQ(control.EncodeAll({}, options), RunOutcome::nothing);
    EXPECT_EQ(control.EncodeBy(0, "XVID", {}, options), RunOutcome::nothing);
    EXPECT_EQ(control.EncodeOne(rows, -1, options), RunOutcome::nothing);
    EXPECT_EQ(control.EncodeOne(rows, 2, options), RunOutcome::nothing);
    EXPECT_EQ(control.EncodeBy(4, "XVID", rows, options), RunOutcome::nothing);
    EXPECT_FALSE(std::filesystem::exists(control.ScriptPath()));
    EXPECT_TRUE(view.calls.empty());
    EXPECT_TRUE(bar.changes.empty());
}

TEST_F(RunControlTest, EncodeCommandsWriteTheScriptBesideTheTempFolderAndRunIt) {
    std::string output;
    control.SetOutputObserver([&](std::string_view chunk) { output += chunk; });
    RunOutcome nested = RunOutcome::completed;
    pump.onPump = [&] {
        nested = control.EncodeAll(rows, options);
        pump.onPump = nullptr;
    };
    EXPECT_EQ(control.EncodeAll(rows, options), RunOutcome::completed);
    EXPECT_EQ(nested, RunOutcome::nothing) << "no second run while one is in progress";
    EXPECT_EQ(control.ScriptPath(), dir.File("~tmp86CB.sh"));
    EXPECT_TRUE(std::filesystem::exists(control.ScriptPath()));
    EXPECT_NE(output.find("#JOB#Job:2/2"), std::string::npos);
    output.clear();
    EXPECT_EQ(control.EncodeOne(rows, 1, options), RunOutcome::completed);
    EXPECT_TRUE(output.find("#JOB#Job:1/1") != output.npos && output.find("b.avi") != output.npos &&
                output.find("a.avi") == output.npos) << output;
    output.clear();
    EXPECT_EQ(control.EncodeBy(3, "(NULL)", rows, options), RunOutcome::completed);
    EXPECT_NE(output.find("#JOB#Job:2/2"), std::string::npos);
    EXPECT_EQ(bar.panels[0], "Completed");
    EXPECT_EQ(power.powerOffRequests, 0);
}

TEST_F(RunControlTest, PowersOffOnlyAfterACompletedRunWithTheOptionOnAndEndsTheProgram) {
    view.shutdownAfterEncoding = true;
    EXPECT_EQ(control.EncodeAll(rows, options), RunOutcome::completed);
    EXPECT_EQ(power.powerOffRequests, 1);
    EXPECT_TRUE(Ended());
    view.calls.clear();
    // A script that cannot be written starts no run.
    RunControl broken(dir.File("no/such/folder"), bar, view, power, &pump);
    EXPECT_THROW(broken.EncodeAll(rows, options), ScriptError);
    EXPECT_THROW(control.EncodeAll(rows, {}), ScriptError);
    EXPECT_TRUE(view.calls.empty());
    pump.onPump = [&] { control.Stop(); };
    EXPECT_EQ(control.EncodeAll(rows, options), RunOutcome::stopped);
    pump.onPump = nullptr;
    // The script disappears between writing and starting it.
    view.showConsole = true;
    view.onMinimize = [&] { std::filesystem::remove(control.ScriptPath()); };
    EXPECT_EQ(control.EncodeAll(rows, options), RunOutcome::failed);
    EXPECT_EQ(control.LastError(), "Error creating process: No such file or directory");
    view.onMinimize = nullptr;
    view.shutdownAfterEncoding = false;
    EXPECT_EQ(control.EncodeAll(rows, options), RunOutcome::completed);
    EXPECT_EQ(power.powerOffRequests, 1);
    EXPECT_FALSE(Ended());
    // A refused power-off still ends the program.
    power.accept = false;
    view.calls.clear();
    EXPECT_FALSE(control.ShutdownComputer());
    EXPECT_EQ(power.powerOffRequests, 2);
    EXPECT_EQ(view.calls, Calls{"end"});
}

TEST_F(RunControlTest, CloseCleanUpRemovesTheScriptOnly) {
    WriteTextFile(control.ScriptPath(), "true\n");
    WriteTextFile(dir.File("2.txt"), "log");
    control.CloseCleanUp();
    EXPECT_FALSE(std::filesystem::exists(control.ScriptPath()));
    EXPECT_TRUE(std::filesystem::exists(dir.File("2.txt")));
    control.CloseCleanUp();  // nothing left: no harm
}

TEST(PopupMenu1Popup, EnablesByRowsAndSelection) {
    // Rows, selected row, then open/delete/encode one, sort, clear/encode all/encode by (with groups).
    const std::tuple<size_t, int, bool, bool, bool> cases[] = {
        {0, -1, false, false, false}, {1, -1, false, false, true}, {1, 0, true, false, true}, {2, 1, true, true, true},
        {2, 2, false, true, true}};
    for (const auto& [count, selected, one, sort, all] : cases) {
        const PopupMenuState s = PopupMenu1Popup(JobList(count, Row("/v/a.avi")), selected);
        EXPECT_EQ((std::array{s.openEnabled, s.deleteEnabled, s.encodeOneEnabled, s.sortEnabled, s.clearEnabled,
                              s.encodeAllEnabled, s.encodeByEnabled, !s.encodeBy.empty()}),
                  (std::array{one, one, one, sort, all, all, all, all})) << count << " rows, selected " << selected;
    }
}

TEST(PopupMenu1Popup, GroupsDistinctValuesExactlyInOrderOfFirstAppearance) {
    ScriptOptions options;
    const JobList rows = {Row("1", "MPEG-4 Visual", "XVID", "AC-3", "No"), Row("2", "AVC", "avc1", "AAC", "No"),
                          Row("3", "MPEG-4 Visual", "DX50", "", "Yes"), Row("4", "AVC", "xvid", "AAC ", "No")};
    const std::vector<EncodeByGroup> expected = {{0, 1, {"MPEG-4 Visual", "AVC"}},
                                                 {1, 2, {"XVID", "avc1", "DX50", "xvid"}},
                                                 {2, 5, {"AC-3", "AAC", "(NULL)", "AAC "}},
                                                 {3, 6, {"No", "Yes"}}};
    EXPECT_EQ(PopupMenu1Popup(rows, -1).encodeBy, expected);
}

}  // namespace
}  // namespace tessaro
