#include "encode/RunControl.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include <gmock/gmock.h>

#include "RecordingRunView.h"
#include "encode/EncodeByGroups.h"
#include "platform/ProcessTestSupport.h"

namespace tessaro {
namespace {

using testing::ModeOf;
using testing::WriteTextFile;
using Calls = std::vector<std::string>;
using Panels = std::array<std::string, 2>;

const Calls kRunning = {"encode-", "stop+", "closeBlocked+"};
const Calls kRunThenIdle = {"encode-", "stop+", "closeBlocked+",
                            "encode+", "stop-", "closeBlocked-"};

JobRow Row(std::string caption, std::string video = "MPEG-4 Visual", std::string codec = "XVID",
           std::string audio = "", std::string support = "Yes", std::string code = "-1") {
    return {std::move(caption),
            {std::move(video), std::move(codec), "320", "240", std::move(audio), std::move(support),
             std::move(code), "512"}};
}

class RunControlTest : public ::testing::Test {
protected:
    RunControlTest() {
        control.SetStatusTexts("Stopped", "Completed", "%d of %d jobs failed");
        options.outputFolder = dir.File("out");
        options.exeFolder = TESSARO_BIN_DIR;
    }

    // The run folders in the temp folder, by name.
    std::vector<std::string> RunFolders() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
            if (entry.path().filename().string().starts_with("run-test-"))
                names.push_back(entry.path().string());
        std::ranges::sort(names);
        return names;
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
    RunControl control{dir.Path().string(), "test", bar, view, power, &pump};
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
                                       "printf '#STATUS#Completed\\n'\n")),
              0);
    EXPECT_EQ(callsDuringRun, kRunning);
    EXPECT_EQ(view.calls, kRunThenIdle);
    EXPECT_FALSE(control.Running());
    EXPECT_EQ(control.CurrentRunner(), nullptr);
    // The script's own "Completed" status is gone; panel 0 has the completed text.
    EXPECT_EQ(bar.panels, (Panels{"Completed", ""}));
    EXPECT_NE(std::ranges::find(bar.changes, std::make_pair(0, std::string("Job:1/1"))),
              bar.changes.end());
    view.calls.clear();
    view.showConsole = true;
    control.RunScript(Script("true\n"));
    EXPECT_EQ(view.calls, (Calls{"minimize", "encode-", "stop+", "closeBlocked+", "encode+",
                                 "stop-", "closeBlocked-", "restore"}));
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
    EXPECT_TRUE(RunFolders().empty());
    EXPECT_TRUE(view.calls.empty());
    EXPECT_TRUE(bar.changes.empty());
}

TEST_F(RunControlTest, EncodeCommandsRunTheirScriptInAFolderOfTheirOwnAndRemoveIt) {
    std::string output;
    control.SetOutputObserver([&](std::string_view chunk) { output += chunk; });
    RunOutcome nested = RunOutcome::completed;
    std::vector<std::string> foldersDuringRun;
    mode_t folderMode = 0;
    pump.onPump = [&] {
        foldersDuringRun = RunFolders();
        if (!foldersDuringRun.empty()) folderMode = ModeOf(foldersDuringRun[0]);
        nested = control.EncodeAll(rows, options);
        pump.onPump = nullptr;
    };
    EXPECT_EQ(control.EncodeAll(rows, options), RunOutcome::completed);
    EXPECT_EQ(nested, RunOutcome::nothing) << "no second run while one is in progress";
    ASSERT_EQ(foldersDuringRun.size(), 1u);
    EXPECT_EQ(folderMode, 0700u);
    EXPECT_TRUE(RunFolders().empty()) << "a completed run leaves nothing behind";
    EXPECT_EQ(control.LastReport().skipped, 2);
    EXPECT_NE(output.find("#JOB#Job:2/2"), std::string::npos);
    output.clear();
    EXPECT_EQ(control.EncodeOne(rows, 1, options), RunOutcome::completed);
    EXPECT_THAT(output, ::testing::HasSubstr("#JOB#Job:1/1"));
    EXPECT_THAT(output, ::testing::HasSubstr("b.avi"));
    EXPECT_THAT(output, ::testing::Not(::testing::HasSubstr("a.avi")));
    output.clear();
    EXPECT_EQ(control.EncodeBy(3, "(NULL)", rows, options), RunOutcome::completed);
    EXPECT_NE(output.find("#JOB#Job:2/2"), std::string::npos);
    EXPECT_EQ(bar.panels[0], "Completed");
    EXPECT_EQ(power.powerOffRequests, 0);
}

TEST_F(RunControlTest, PowersOffOnlyAfterACompletedRunWithTheOptionOnAndEndsTheProgram) {
    view.shutdownAfterEncoding = true;
    // The user sees the run's end in a count-down and cancels it.
    view.confirmPowerOff = false;
    EXPECT_EQ(control.EncodeAll(rows, options), RunOutcome::completed);
    EXPECT_EQ(power.powerOffRequests, 0);
    EXPECT_EQ(view.calls.back(), "confirm Completed");
    view.confirmPowerOff = true;
    EXPECT_EQ(control.EncodeAll(rows, options), RunOutcome::completed);
    EXPECT_EQ(power.powerOffRequests, 1);
    EXPECT_TRUE(Ended());
    view.calls.clear();
    // A script that cannot be written starts no run.
    RunControl broken(dir.File("no/such/folder"), "test", bar, view, power, &pump);
    EXPECT_THROW(broken.EncodeAll(rows, options), ScriptError);
    EXPECT_THROW(control.EncodeAll(rows, {}), ScriptError);
    EXPECT_TRUE(view.calls.empty());
    pump.onPump = [&] { control.Stop(); };
    EXPECT_EQ(control.EncodeAll(rows, options), RunOutcome::stopped);
    pump.onPump = nullptr;
    // A job's script disappears between writing and starting it.
    view.showConsole = true;
    view.onMinimize = [&] { std::filesystem::remove(RunFolders().at(0) + "/~tmp86CB-1.sh"); };
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

TEST_F(RunControlTest, CountsFailedJobsGoesOnAndKeepsTheirLogsUntilTheNextRun) {
    const std::string present = dir.File("present.avi");
    WriteTextFile(present, "playable as it is");
    const JobList copies = {Row(dir.File("vanished.avi"), "MPEG-4 Visual", "XVID", "", "Yes", "0"),
                            Row(present, "MPEG-4 Visual", "XVID", "", "Yes", "0")};
    EXPECT_EQ(control.EncodeAll(copies, options), RunOutcome::jobsFailed);
    const RunReport& report = control.LastReport();
    EXPECT_EQ(report.jobCount, 2);
    EXPECT_EQ(report.done, 1);
    ASSERT_EQ(report.FailedCount(), 1);
    EXPECT_EQ(report.failed[0].number, 1);
    EXPECT_EQ(report.failed[0].name, "vanished.avi");
    EXPECT_THAT(LastLines(report.failed[0].logPath, 3), ::testing::HasSubstr("vanished.avi"));
    EXPECT_TRUE(std::filesystem::exists(dir.File("out/present.avi"))) << "the run went on";
    EXPECT_EQ(bar.panels, (Panels{"1 of 2 jobs failed", ""}));
    ASSERT_EQ(RunFolders(), std::vector<std::string>{control.KeptRunFolder()});

    control.CloseCleanUp();
    EXPECT_FALSE(std::filesystem::exists(control.KeptRunFolder() + "/~tmp86CB.sh"));
    EXPECT_TRUE(std::filesystem::exists(report.failed[0].logPath)) << "the log stays for the user";

    const std::string kept = control.KeptRunFolder();
    EXPECT_EQ(control.EncodeAll(rows, options), RunOutcome::completed);
    EXPECT_FALSE(std::filesystem::exists(kept)) << "the next run of this front end removes it";
    EXPECT_EQ(bar.panels[0], "Completed");
}

TEST_F(RunControlTest, AStopBeforeTheRunnerExistsIsHonouredBeforeAnythingStarts) {
    std::string output;
    control.SetOutputObserver([&](std::string_view chunk) { output += chunk; });
    control.Stop();
    EXPECT_FALSE(control.StopFlag()) << "nothing asked for yet";
    control.RequestRun();
    control.Stop();  // as Ctrl-C while the command line still probes
    view.shutdownAfterEncoding = true;
    EXPECT_EQ(control.EncodeAll(rows, options), RunOutcome::stopped);
    EXPECT_EQ(output.find("#JOB#"), std::string::npos) << "the script never ran: " << output;
    EXPECT_EQ(bar.panels[0], "Stopped");
    EXPECT_EQ(power.powerOffRequests, 0);
    EXPECT_TRUE(RunFolders().empty());
}

TEST_F(RunControlTest, AFailedRunShowsItsCountBeforeAnyLanguageIsApplied) {
    control.SetStatusTexts("", "", "");
    const JobList copy = {Row(dir.File("vanished.avi"), "MPEG-4 Visual", "XVID", "", "Yes", "0")};
    EXPECT_EQ(control.EncodeAll(copy, options), RunOutcome::jobsFailed);
    EXPECT_EQ(bar.panels[0], "1/1 failed");
}

TEST(FormatFailedJobsText, FillsTheTwoNumbersAndNothingElse) {
    const std::array<std::array<std::string_view, 2>, 5> cases = {{
        {"%d of %d jobs failed", "2 of 7 jobs failed"},
        {"%d/%d 件失敗", "2/7 件失敗"},
        {"failed: %d", "failed: 2"},
        {"%s %n %d%% %d %d", "%s %n 2%% 7 %d"},
        {"", ""},
    }};
    for (const auto& [format, expected] : cases)
        EXPECT_EQ(FormatFailedJobsText(format, 2, 7), expected) << format;
}

TEST(EncodeByGroups, GroupsDistinctValuesExactlyInOrderOfFirstAppearance) {
    ScriptOptions options;
    const JobList rows = {
        Row("1", "MPEG-4 Visual", "XVID", "AC-3", "No"), Row("2", "AVC", "avc1", "AAC", "No"),
        Row("3", "MPEG-4 Visual", "DX50", "", "Yes"), Row("4", "AVC", "xvid", "AAC ", "No")};
    const std::vector<EncodeByGroup> expected = {{0, 1, {"MPEG-4 Visual", "AVC"}},
                                                 {1, 2, {"XVID", "avc1", "DX50", "xvid"}},
                                                 {2, 5, {"AC-3", "AAC", "(NULL)", "AAC "}},
                                                 {3, 6, {"No", "Yes"}}};
    EXPECT_EQ(EncodeByGroups(rows), expected);
}

}  // namespace
}  // namespace tessaro
