#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>

#include "CorpusFiles.h"
#include "MediaInfoCli.h"
#include "RecordingRunView.h"
#include "encode/AddFiles.h"
#include "encode/RunControl.h"
#include "platform/ProcessKiller.h"
#include "platform/ProcessTestSupport.h"
#include "platform/ScopedEnv.h"

namespace tessaro {
namespace {

using test::CorpusFile;
using test::MediaInfoCommand;
using testing::ReadTextFile;
using testing::TempDir;
using Panels = std::array<std::string, 2>;

const auto* const kLocale = ::testing::AddGlobalTestEnvironment(new test::Utf8LocaleEnvironment);

std::string CommandName(pid_t pid) {
    std::string name = ReadTextFile("/proc/" + std::to_string(pid) + "/comm");
    if (name.ends_with('\n')) name.pop_back();
    return name;
}

class RunEndToEnd : public ::testing::Test {
protected:
    RunEndToEnd() {
        std::filesystem::create_directory(outFolder);
        control.SetStatusTexts("Stopped", "Completed");
        control.SetOutputObserver([this](std::string_view chunk) { output += chunk; });
        options.outputFolder = outFolder;
        options.exeFolder = TESSARO_BIN_DIR;
    }

    // Subtitle files enter the list only under the second and third serial.
    void Add(const std::vector<std::string>& paths, int serial = 0) {
        ASSERT_EQ(AddFiles(paths, serial, rows), paths.size());
    }
    bool SawStatus(int panel, const std::string& prefix) const {
        return std::ranges::any_of(bar.changes, [&](const auto& c) { return c.first == panel && c.second.starts_with(prefix); });
    }

    TempDir dir;
    const std::string outFolder = dir.File("out");
    ScriptOptions options;
    JobList rows;
    testing::RecordingStatusBar bar;
    testing::RecordingRunView view;
    testing::RecordingPowerManager power;
    testing::CallbackPump pump;
    RunControl control{dir.Path().string(), bar, view, power, &pump};
    std::string output;
};

TEST_F(RunEndToEnd, ConvertsCopiesRecodesAndCopiesToTheDrive) {
    ASSERT_NO_FATAL_FAILURE(Add({CorpusFile("b.mkv"), CorpusFile("xvid.avi"), CorpusFile("subrip-utf8.srt")}, 1));
    ASSERT_EQ(rows[0].subItems[siDecision] + rows[1].subItems[siDecision] + rows[2].subItems[siDecision], "5011");
    options.copyToDrive = true;
    options.drive = dir.File("drive");
    std::filesystem::create_directory(options.drive);
    view.shutdownAfterEncoding = true;

    EXPECT_EQ(control.EncodeAll(rows, options), RunOutcome::completed) << output;

    const std::string converted = outFolder + "/b_XviD.avi";
    EXPECT_EQ(MediaInfoCommand("Video;%Width% %Format% %CodecID%", converted) + "|" +
                  MediaInfoCommand("Audio;%Format% %Format_Profile%", converted),
              "720 MPEG-4 Visual XVID|MPEG Audio Layer 3") << output << ReadTextFile(dir.File("2.txt"));
    EXPECT_EQ(ReadTextFile(outFolder + "/xvid.avi"), ReadTextFile(CorpusFile("xvid.avi")));
    const std::string subtitle = ReadTextFile(outFolder + "/subrip-utf8.srt");
    EXPECT_NE(subtitle.find("Caf\xE9 au lait"), std::string::npos) << subtitle;
    EXPECT_EQ(subtitle.find("\xC3\xA9"), std::string::npos);
    for (const char* name : {"b_XviD.avi", "xvid.avi", "subrip-utf8.srt"})
        EXPECT_EQ(ReadTextFile(options.drive + "/" + name), ReadTextFile(outFolder + "/" + name)) << name;
    for (const char* job : {"Job:1/3", "Job:3/3"}) EXPECT_TRUE(SawStatus(kJobPanel, job)) << job;
    for (const char* status : {"Encoding", "Pos", "Copyto"}) EXPECT_TRUE(SawStatus(kStatusPanel, status)) << status;
    EXPECT_EQ(bar.panels, (Panels{"Completed", ""}));
    EXPECT_EQ(power.powerOffRequests, 1);
}

TEST_F(RunEndToEnd, StopEndsThisRunsMencoderOnly) {
    const std::string longFile = dir.File("long.mkv");
    const std::string make = "ffmpeg -nostdin -hide_banner -loglevel error -y -f lavfi -i "
                             "testsrc=size=640x360:rate=10:duration=40 -f lavfi -i sine=frequency=440:duration=40 "
                             "-c:v mpeg4 -vtag XVID -q:v 10 -c:a ac3 -b:a 96k -shortest -f matroska '" + longFile + "'";
    ASSERT_EQ(std::system(make.c_str()), 0);
    // Another program's mencoder, waiting on a pipe nobody writes to.
    ASSERT_EQ(::mkfifo(dir.File("feed").c_str(), 0600), 0);
    testing::OutsideProcess outside(
        {"/usr/bin/mencoder", dir.File("feed"), "-ovc", "copy", "-oac", "copy", "-o", dir.File("x.avi")});
    ASSERT_TRUE(testing::Eventually([&] { return CommandName(outside.Pid()) == "mencoder"; }));
    ASSERT_NO_FATAL_FAILURE(Add({longFile}));
    view.shutdownAfterEncoding = true;
    pid_t group = -1;
    std::vector<pid_t> tools;
    pump.onPump = [&] {
        if (control.StopFlag() || !bar.panels[kStatusPanel].starts_with("Pos")) return;
        group = control.CurrentRunner()->ProcessGroup();
        for (pid_t member : platform::LiveGroupMembers(group))
            if (CommandName(member) == "mencoder") tools.push_back(member);
        if (!tools.empty()) control.Stop();
    };

    EXPECT_EQ(control.EncodeAll(rows, options), RunOutcome::stopped);
    ASSERT_FALSE(tools.empty()) << output;
    for (pid_t tool : tools) EXPECT_TRUE(testing::ProcessEnded(tool)) << tool;
    EXPECT_TRUE(platform::LiveGroupMembers(group).empty());
    EXPECT_TRUE(outside.Alive());
    EXPECT_TRUE(output.ends_with("\r\nCancelled.\r\n\r\nProcess terminated successfully.\r\n"));
    EXPECT_EQ(bar.panels, (Panels{"Stopped", ""}));
    EXPECT_EQ(power.powerOffRequests, 0);
    EXPECT_EQ(std::ranges::find(view.calls, "end"), view.calls.end());
}

TEST_F(RunEndToEnd, AMissingToolIsReportedAndTheRunGoesOn) {
    ASSERT_NO_FATAL_FAILURE(Add({CorpusFile("xvid.avi"), CorpusFile("subrip-utf8.srt")}, 1));
    // Neither beside the program nor on PATH.
    TempDir emptyFolder;
    options.exeFolder = emptyFolder.Path().string();
    testing::ScopedEnv path("PATH", "/usr/bin:/bin");
    EXPECT_EQ(control.EncodeAll(rows, options), RunOutcome::completed);
    for (const char* missing : {"fastcopy: not found", "charshift: not found"}) EXPECT_NE(output.find(missing), std::string::npos) << output;
    EXPECT_TRUE(SawStatus(kJobPanel, "Job:2/2"));
    EXPECT_EQ(bar.panels[kJobPanel], "Completed");
    EXPECT_TRUE(std::filesystem::is_empty(outFolder));
}

TEST_F(RunEndToEnd, ABadOutputFolderEndsWithTheToolsErrorAndLeavesTheSourceAlone) {
    const std::string source = dir.File("b.mkv");
    std::filesystem::copy_file(CorpusFile("b.mkv"), source);
    const std::string before = ReadTextFile(source);
    ASSERT_NO_FATAL_FAILURE(Add({source}));
    testing::WriteTextFile(dir.File("file"), "x");
    for (const std::string& folder : {dir.File("gone"), dir.File("file/out"), std::string("/proc")}) {
        options.outputFolder = folder;
        EXPECT_EQ(control.EncodeAll(rows, options), RunOutcome::completed) << folder;
        EXPECT_NE(ReadTextFile(dir.File("2.txt")).find("Cannot open output file"), std::string::npos) << folder;
        EXPECT_EQ(ReadTextFile(source), before) << folder;
        EXPECT_EQ(bar.panels, (Panels{"Completed", ""})) << folder;
    }
}

}  // namespace
}  // namespace tessaro
