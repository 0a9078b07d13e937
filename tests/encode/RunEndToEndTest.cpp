#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>

#include "CorpusFiles.h"
#include "MediaInfoCli.h"
#include "RecordingRunView.h"
#include "RecordingStatusBar.h"
#include "encode/AddFiles.h"
#include "encode/RunControl.h"
#include "platform/ProcessKiller.h"
#include "platform/ProcessTestSupport.h"
#include "platform/ScopedEnv.h"

namespace tessaro {
namespace {

using test::CorpusFile;
using test::MediaInfoCommand;
using testing::Eventually;
using testing::OutsideProcess;
using testing::ProcessEnded;
using testing::ReadTextFile;
using testing::RecordingPowerManager;
using testing::RecordingRunView;
using testing::RecordingStatusBar;
using testing::TempDir;

const ::testing::Environment* const kLocale =
    ::testing::AddGlobalTestEnvironment(new test::Utf8LocaleEnvironment);

class CallbackPump final : public IEventPump {
public:
    void PumpMessages() override {
        if (onPump) onPump();
    }
    void WaitIdle(std::span<const int> fds, int timeoutMs) override { poll.WaitIdle(fds, timeoutMs); }

    std::function<void()> onPump;
    PollEventPump poll;
};

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

bool SawStatus(const RecordingStatusBar& bar, int panel, const std::string& prefix) {
    return std::any_of(bar.changes.begin(), bar.changes.end(),
                       [&](const auto& change) { return change.first == panel && change.second.starts_with(prefix); });
}

std::string CommandName(pid_t pid) {
    std::string name = ReadTextFile("/proc/" + std::to_string(pid) + "/comm");
    if (!name.empty() && name.back() == '\n') name.pop_back();
    return name;
}

class RunEndToEnd : public ::testing::Test {
protected:
    RunEndToEnd() {
        std::filesystem::create_directory(outFolder);
        std::filesystem::create_directory(driveFolder);
        control.SetStatusTexts("Stopped", "Completed");
        control.SetOutputObserver([this](std::string_view chunk) { output += chunk; });
    }

    ScriptOptions Options() const {
        ScriptOptions options;
        options.serial = 0;
        options.outputFolder = outFolder;
        options.exeFolder = TESSARO_BIN_DIR;
        return options;
    }

    // Subtitle files enter the list only under the second and third serial.
    void Probe(JobList& rows, const std::vector<std::string>& paths, int serial = 0) {
        ASSERT_EQ(AddFiles(paths, serial, rows), paths.size());
    }

    TempDir dir;
    const std::string outFolder = dir.File("out");
    const std::string driveFolder = dir.File("drive");
    RecordingStatusBar bar;
    RecordingRunView view;
    RecordingPowerManager power;
    CallbackPump pump;
    RunControl control{dir.Path().string(), bar, view, power, &pump};
    std::string output;
};

TEST_F(RunEndToEnd, ConvertsCopiesRecodesAndCopiesToTheDrive) {
    JobList rows;
    ASSERT_NO_FATAL_FAILURE(Probe(rows, {CorpusFile("b.mkv"), CorpusFile("xvid.avi")}));
    ASSERT_NO_FATAL_FAILURE(Probe(rows, {CorpusFile("subrip-utf8.srt")}, 1));
    ASSERT_EQ(rows[0].subItems[siDecision], "5");
    ASSERT_EQ(rows[1].subItems[siDecision], "0");
    ASSERT_EQ(rows[2].subItems[siDecision], "11");
    ScriptOptions options = Options();
    options.copyToDrive = true;
    options.drive = driveFolder;
    view.shutdownAfterEncoding = true;

    EXPECT_EQ(control.EncodeAll(rows, options), RunOutcome::completed) << output;

    const std::string converted = outFolder + "/b_XviD.avi";
    ASSERT_TRUE(std::filesystem::exists(converted)) << output << ReadTextFile(dir.File("2.txt"));
    EXPECT_EQ(MediaInfoCommand("Video;%Width%", converted), "720");
    EXPECT_EQ(MediaInfoCommand("Video;%Format%", converted), "MPEG-4 Visual");
    EXPECT_EQ(MediaInfoCommand("Video;%CodecID%", converted), "XVID");
    EXPECT_EQ(MediaInfoCommand("Audio;%Format% %Format_Profile%", converted), "MPEG Audio Layer 3");

    EXPECT_EQ(ReadTextFile(outFolder + "/xvid.avi"), ReadTextFile(CorpusFile("xvid.avi")));
    const std::string subtitle = ReadTextFile(outFolder + "/subrip-utf8.srt");
    EXPECT_TRUE(Contains(subtitle, "Caf\xE9 au lait")) << subtitle;
    EXPECT_FALSE(Contains(subtitle, "\xC3\xA9"));
    for (const char* name : {"b_XviD.avi", "xvid.avi", "subrip-utf8.srt"})
        EXPECT_EQ(ReadTextFile(driveFolder + "/" + name), ReadTextFile(outFolder + "/" + name)) << name;

    EXPECT_TRUE(SawStatus(bar, kJobPanel, "Job:1/3"));
    EXPECT_TRUE(SawStatus(bar, kJobPanel, "Job:3/3"));
    EXPECT_TRUE(SawStatus(bar, kStatusPanel, "Encoding"));
    EXPECT_TRUE(SawStatus(bar, kStatusPanel, "Pos"));
    EXPECT_TRUE(SawStatus(bar, kStatusPanel, "Copyto"));
    EXPECT_EQ(bar.panels, (std::array<std::string, 2>{"Completed", ""}));
    EXPECT_EQ(power.powerOffRequests, 1);
}

class LongRun : public RunEndToEnd {
protected:
    static void SetUpTestSuite() {
        longInput = new TempDir;
        const std::string command =
            "ffmpeg -nostdin -hide_banner -loglevel error -y "
            "-f lavfi -i testsrc=size=640x360:rate=10:duration=40 "
            "-f lavfi -i sine=frequency=440:duration=40:sample_rate=44100 "
            "-c:v mpeg4 -vtag XVID -q:v 10 -c:a ac3 -b:a 96k -shortest -f matroska '" +
            LongFile() + "'";
        ASSERT_EQ(std::system(command.c_str()), 0);
    }
    static void TearDownTestSuite() { delete longInput; }
    static std::string LongFile() { return longInput->File("long.mkv"); }

    static TempDir* longInput;
};

TempDir* LongRun::longInput = nullptr;

TEST_F(LongRun, StopEndsThisRunsMencoderOnly) {
    // Another program's mencoder, waiting on a pipe nobody writes to.
    const std::string fifo = dir.File("feed");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    OutsideProcess outside({"/usr/bin/mencoder", fifo, "-ovc", "copy", "-oac", "copy", "-o", dir.File("x.avi")});
    ASSERT_TRUE(Eventually([&] { return CommandName(outside.Pid()) == "mencoder"; }));

    JobList rows;
    ASSERT_NO_FATAL_FAILURE(Probe(rows, {LongFile()}));
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

    EXPECT_EQ(control.EncodeAll(rows, Options()), RunOutcome::stopped);
    ASSERT_FALSE(tools.empty()) << output;
    for (pid_t tool : tools) EXPECT_TRUE(ProcessEnded(tool)) << tool;
    EXPECT_TRUE(platform::LiveGroupMembers(group).empty());
    EXPECT_TRUE(outside.Alive());
    EXPECT_TRUE(output.ends_with("\r\nCancelled.\r\n\r\nProcess terminated successfully.\r\n"));
    EXPECT_EQ(bar.panels, (std::array<std::string, 2>{"Stopped", ""}));
    EXPECT_EQ(power.powerOffRequests, 0);
    EXPECT_TRUE(std::find(view.calls.begin(), view.calls.end(), "end") == view.calls.end());
}

TEST_F(RunEndToEnd, AMissingToolIsReportedAndTheRunGoesOn) {
    JobList rows;
    ASSERT_NO_FATAL_FAILURE(Probe(rows, {CorpusFile("xvid.avi")}));
    ASSERT_NO_FATAL_FAILURE(Probe(rows, {CorpusFile("subrip-utf8.srt")}, 1));
    ScriptOptions options = Options();
    // Neither beside the program nor on PATH.
    TempDir emptyFolder;
    options.exeFolder = emptyFolder.Path().string();
    testing::ScopedEnv path("PATH", "/usr/bin:/bin");
    EXPECT_EQ(control.EncodeAll(rows, options), RunOutcome::completed);
    EXPECT_TRUE(Contains(output, "fastcopy: not found")) << output;
    EXPECT_TRUE(Contains(output, "charshift: not found")) << output;
    EXPECT_TRUE(SawStatus(bar, kJobPanel, "Job:2/2"));
    EXPECT_EQ(bar.panels[kJobPanel], "Completed");
    EXPECT_TRUE(std::filesystem::is_empty(outFolder));
}

struct BadFolder {
    const char* name;
    std::function<std::string(const TempDir&)> folder;
};

void PrintTo(const BadFolder& folder, std::ostream* out) { *out << folder.name; }

class RunIntoBadFolder : public RunEndToEnd, public ::testing::WithParamInterface<BadFolder> {};

TEST_P(RunIntoBadFolder, EndsWithTheToolsErrorAndLeavesTheSourceAlone) {
    const std::string source = dir.File("b.mkv");
    std::filesystem::copy_file(CorpusFile("b.mkv"), source);
    const std::string before = ReadTextFile(source);
    JobList rows;
    ASSERT_NO_FATAL_FAILURE(Probe(rows, {source}));
    ScriptOptions options = Options();
    options.outputFolder = GetParam().folder(dir);
    EXPECT_EQ(control.EncodeAll(rows, options), RunOutcome::completed);
    EXPECT_TRUE(Contains(ReadTextFile(dir.File("2.txt")), "Cannot open output file"))
        << ReadTextFile(dir.File("2.txt"));
    EXPECT_EQ(ReadTextFile(source), before);
    EXPECT_EQ(bar.panels, (std::array<std::string, 2>{"Completed", ""}));
}

INSTANTIATE_TEST_SUITE_P(Folders, RunIntoBadFolder,
                         ::testing::Values(BadFolder{"Missing", [](const TempDir& d) { return d.File("gone"); }},
                                           BadFolder{"UnderAFile",
                                                     [](const TempDir& d) {
                                                         testing::WriteTextFile(d.File("file"), "x");
                                                         return d.File("file/out");
                                                     }},
                                           BadFolder{"NotWritable",
                                                     [](const TempDir&) { return std::string("/proc"); }}),
                         [](const ::testing::TestParamInfo<BadFolder>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tessaro
