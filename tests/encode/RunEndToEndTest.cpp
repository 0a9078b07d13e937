#include <gtest/gtest.h>
#include <sys/stat.h>

#include <gmock/gmock.h>
#include <sys/resource.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <map>

#include "CorpusFiles.h"
#include "MediaClip.h"
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
using ::testing::HasSubstr;
using testing::ReadTextFile;
using testing::TempDir;
using Panels = std::array<std::string, 2>;

const auto* const kLocale = ::testing::AddGlobalTestEnvironment(new test::Utf8LocaleEnvironment);

std::vector<std::string> LeftoverWorkFiles(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().filename().string().starts_with("."))
            names.push_back(entry.path().string());
    return names;
}

std::string CommandName(pid_t pid) {
    std::string name = ReadTextFile("/proc/" + std::to_string(pid) + "/comm");
    if (name.ends_with('\n')) name.pop_back();
    return name;
}

class RunEndToEnd : public ::testing::Test {
protected:
    RunEndToEnd() {
        std::filesystem::create_directory(outFolder);
        control.SetStatusTexts("Stopped", "Completed", "%d of %d jobs failed");
        control.SetOutputObserver([this](std::string_view chunk) { output += chunk; });
        options.outputFolder = outFolder;
        options.exeFolder = TESSARO_BIN_DIR;
    }

    // Subtitle files enter the list only under the second and third serial.
    void Add(const std::vector<std::string>& paths, int serial = 0) {
        ASSERT_EQ(AddFiles(paths, serial, rows), paths.size());
    }
    // The end of each failed job's log, by job number.
    std::map<int, std::string> FailedLogs() const {
        std::map<int, std::string> logs;
        for (const FailedJob& job : control.LastReport().failed)
            logs[job.number] = LastLines(job.logPath, 8);
        return logs;
    }
    // Keeps every progress value of the runs.
    void RecordProgress() {
        control.SetProgressObserver(
            [this](const RunProgress& value) { progress.push_back(value); });
    }
    bool RanTogether(int first, int second) const {
        return std::ranges::any_of(progress, [&](const RunProgress& p) {
            const auto running = [&](int number) {
                return std::ranges::any_of(
                    p.current, [&](const JobProgress& job) { return job.number == number; });
            };
            return running(first) && running(second);
        });
    }
    bool SawStatus(int panel, const std::string& prefix) const {
        return std::ranges::any_of(bar.changes, [&](const auto& c) {
            return c.first == panel && c.second.starts_with(prefix);
        });
    }

    TempDir dir;
    const std::string outFolder = dir.File("out");
    ScriptOptions options;
    JobList rows;
    testing::RecordingStatusBar bar;
    testing::RecordingRunView view;
    testing::RecordingPowerManager power;
    testing::CallbackPump pump;
    RunControl control{dir.Path().string(), "test", bar, view, power, &pump};
    std::string output;
    std::vector<RunProgress> progress;
};

TEST_F(RunEndToEnd, ConvertsCopiesRecodesAndCopiesToTheDrive) {
    ASSERT_NO_FATAL_FAILURE(
        Add({CorpusFile("b.mkv"), CorpusFile("xvid.avi"), CorpusFile("subrip-utf8.srt")}, 1));
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].subItems[siDecision], "5");
    EXPECT_EQ(rows[1].subItems[siDecision], "0");
    EXPECT_EQ(rows[2].subItems[siDecision], "11");
    options.copyToDrive = true;
    options.drive = dir.File("drive");
    std::filesystem::create_directory(options.drive);
    view.shutdownAfterEncoding = true;
    RecordProgress();

    EXPECT_EQ(control.EncodeAll(rows, options), RunOutcome::completed) << output;

    const std::string converted = outFolder + "/b_XviD.avi";
    EXPECT_EQ(MediaInfoCommand("Video;%Width% %Format% %CodecID%", converted) + "|" +
                  MediaInfoCommand("Audio;%Format% %Format_Profile%", converted),
              "720 MPEG-4 Visual XVID|MPEG Audio Layer 3")
        << output;
    EXPECT_EQ(ReadTextFile(outFolder + "/xvid.avi"), ReadTextFile(CorpusFile("xvid.avi")));
    const std::string subtitle = ReadTextFile(outFolder + "/subrip-utf8.srt");
    EXPECT_NE(subtitle.find("Caf\xE9 au lait"), std::string::npos) << subtitle;
    EXPECT_EQ(subtitle.find("\xC3\xA9"), std::string::npos);
    for (const char* name : {"b_XviD.avi", "xvid.avi", "subrip-utf8.srt"})
        EXPECT_EQ(ReadTextFile(options.drive + "/" + name), ReadTextFile(outFolder + "/" + name))
            << name;
    for (const char* job : {"Job:1/3", "Job:3/3"}) EXPECT_TRUE(SawStatus(kJobPanel, job)) << job;
    for (const char* status : {"Encoding", "Pos", "Copyto"})
        EXPECT_TRUE(SawStatus(kStatusPanel, status)) << status;
    EXPECT_EQ(bar.panels, (Panels{"Completed", ""}));
    EXPECT_EQ(power.powerOffRequests, 1);
    EXPECT_TRUE(LeftoverWorkFiles(outFolder).empty());
    // The list's progress only grows, the encoder's records move it within its job, and it ends
    // whole.
    ASSERT_GE(progress.size(), 4u);
    for (size_t i = 1; i < progress.size(); ++i)
        EXPECT_GE(progress[i].fraction, progress[i - 1].fraction) << i;
    EXPECT_TRUE(std::ranges::any_of(progress, [](const RunProgress& p) {
        return !p.current.empty() && p.current[0].number == 1 && p.current[0].fraction > 0 &&
               p.etaSeconds;
    }));
    EXPECT_EQ(progress.back().states, std::vector<JobState>(3, JobState::done));
    EXPECT_DOUBLE_EQ(progress.back().fraction, 1);
    EXPECT_EQ(progress.back().left, 0);
}

TEST_F(RunEndToEnd, StopEndsThisRunsMencoderOnlyAndKeepsTheEarlierCompleteOutput) {
    const std::string longFile = dir.File("long.mkv");
    ASSERT_TRUE(test::MakeClip(longFile, 40));
    const std::string earlier = outFolder + "/long_XviD.avi";
    std::filesystem::copy_file(CorpusFile("xvid.avi"), earlier);
    // Another program's mencoder, waiting on a pipe nobody writes to.
    ASSERT_EQ(::mkfifo(dir.File("feed").c_str(), 0600), 0);
    testing::OutsideProcess outside({"/usr/bin/mencoder", dir.File("feed"), "-ovc", "copy", "-oac",
                                     "copy", "-o", dir.File("x.avi")});
    ASSERT_TRUE(testing::Eventually([&] { return CommandName(outside.Pid()) == "mencoder"; }));
    ASSERT_NO_FATAL_FAILURE(Add({longFile}));
    view.shutdownAfterEncoding = true;
    pid_t group = -1;
    std::vector<pid_t> tools;
    pump.onPump = [&] {
        if (control.StopFlag() || !bar.panels[kStatusPanel].starts_with("Pos")) return;
        group = control.ProcessGroups().at(0);
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
    EXPECT_EQ(ReadTextFile(earlier), ReadTextFile(CorpusFile("xvid.avi")));
    EXPECT_TRUE(LeftoverWorkFiles(outFolder).empty());
}

TEST_F(RunEndToEnd, SideBySideAFailingJobIsCountedAndTheOthersFinish) {
    const std::string text = dir.File("notes.avi");
    testing::WriteTextFile(text, "a text file renamed to look like a video\n");
    for (const char* name : {"one.mkv", "two.mkv"}) ASSERT_TRUE(test::MakeClip(dir.File(name), 8));
    ASSERT_NO_FATAL_FAILURE(Add({dir.File("one.mkv"), text, dir.File("two.mkv")}));
    control.SetJobsAtOnce(3);
    RecordProgress();
    EXPECT_EQ(control.EncodeAll(rows, options), RunOutcome::jobsFailed) << output;
    ASSERT_EQ(control.LastReport().FailedCount(), 1);
    EXPECT_EQ(control.LastReport().failed[0].number, 2);
    EXPECT_THAT(FailedLogs()[2], HasSubstr("Cannot open demuxer"));
    for (const char* name : {"one_XviD.avi", "two_XviD.avi"})
        EXPECT_EQ(MediaInfoCommand("Video;%Format%", outFolder + "/" + name), "MPEG-4 Visual")
            << name;
    EXPECT_TRUE(RanTogether(1, 3));
    EXPECT_TRUE(SawStatus(kJobPanel, "Job:1+3/3") || SawStatus(kJobPanel, "Job:1+2+3/3"));
    EXPECT_EQ(progress.back().states,
              (std::vector<JobState>{JobState::done, JobState::failed, JobState::done}));
    EXPECT_EQ(bar.panels, (Panels{"1 of 3 jobs failed", ""}));
    EXPECT_TRUE(LeftoverWorkFiles(outFolder).empty());
}

TEST_F(RunEndToEnd, StopWithTwoJobsRunningEndsBothAndKeepsTheEarlierOutputs) {
    for (const char* name : {"first.mkv", "second.mkv"}) {
        ASSERT_TRUE(test::MakeClip(dir.File(name), 40));
        ASSERT_NO_FATAL_FAILURE(Add({dir.File(name)}));
    }
    for (const char* name : {"first_XviD.avi", "second_XviD.avi"})
        std::filesystem::copy_file(CorpusFile("xvid.avi"), outFolder + "/" + name);
    control.SetJobsAtOnce(2);
    view.shutdownAfterEncoding = true;
    std::vector<pid_t> groups, tools;
    pump.onPump = [&] {
        if (control.StopFlag() || control.ProcessGroups().size() != 2) return;
        std::vector<pid_t> encoders;
        for (pid_t group : control.ProcessGroups())
            for (pid_t member : platform::LiveGroupMembers(group))
                if (CommandName(member) == "mencoder") encoders.push_back(member);
        if (encoders.size() != 2) return;
        groups = control.ProcessGroups();
        tools = encoders;
        control.Stop();
    };
    EXPECT_EQ(control.EncodeAll(rows, options), RunOutcome::stopped) << output;
    ASSERT_EQ(tools.size(), 2u) << output;
    for (pid_t tool : tools) EXPECT_TRUE(testing::ProcessEnded(tool)) << tool;
    for (pid_t group : groups) EXPECT_TRUE(platform::LiveGroupMembers(group).empty()) << group;
    for (const char* name : {"first_XviD.avi", "second_XviD.avi"})
        EXPECT_EQ(ReadTextFile(outFolder + "/" + name), ReadTextFile(CorpusFile("xvid.avi")))
            << name;
    EXPECT_TRUE(LeftoverWorkFiles(outFolder).empty());
    EXPECT_EQ(bar.panels, (Panels{"Stopped", ""}));
    EXPECT_EQ(power.powerOffRequests, 0);
}

TEST_F(RunEndToEnd, NamesThatCouldClashNeverRunTogetherAndEachDriveCopyFollowsItsConversion) {
    for (const char* name : {"a/Clip.mkv", "b/clip.mkv", "other.mkv"}) {
        std::filesystem::create_directories(std::filesystem::path(dir.File(name)).parent_path());
        ASSERT_TRUE(test::MakeClip(dir.File(name), 8));
    }
    ASSERT_NO_FATAL_FAILURE(
        Add({dir.File("a/Clip.mkv"), dir.File("b/clip.mkv"), dir.File("other.mkv")}));
    options.copyToDrive = true;
    options.drive = dir.File("drive");
    std::filesystem::create_directory(options.drive);
    control.SetJobsAtOnce(3);
    RecordProgress();
    const std::vector<std::string> names = {"Clip_XviD.avi", "clip_XviD.avi", "other_XviD.avi"};
    bool copiedEarly = false;
    pump.onPump = [&] {
        for (const std::string& name : names)
            copiedEarly = copiedEarly || (std::filesystem::exists(options.drive + "/" + name) &&
                                          !std::filesystem::exists(outFolder + "/" + name));
    };
    EXPECT_EQ(control.EncodeAll(rows, options), RunOutcome::completed) << output;
    EXPECT_FALSE(RanTogether(1, 2));
    EXPECT_TRUE(RanTogether(1, 3));
    EXPECT_FALSE(copiedEarly);
    for (const std::string& name : names) {
        EXPECT_EQ(MediaInfoCommand("Video;%Format%", outFolder + "/" + name), "MPEG-4 Visual");
        EXPECT_EQ(ReadTextFile(options.drive + "/" + name), ReadTextFile(outFolder + "/" + name))
            << name;
    }
}

TEST_F(RunEndToEnd, AMissingToolFailsItsJobAndTheRunGoesOn) {
    ASSERT_NO_FATAL_FAILURE(Add({CorpusFile("xvid.avi"), CorpusFile("subrip-utf8.srt")}, 1));
    // Neither beside the program nor on PATH.
    TempDir emptyFolder;
    options.exeFolder = emptyFolder.Path().string();
    testing::ScopedEnv path("PATH", "/usr/bin:/bin");
    EXPECT_EQ(control.EncodeAll(rows, options), RunOutcome::jobsFailed);
    const std::map<int, std::string> logs = FailedLogs();
    ASSERT_EQ(logs.size(), 2u);
    EXPECT_THAT(logs.at(1), HasSubstr("fastcopy: not found"));
    EXPECT_THAT(logs.at(2), HasSubstr("charshift: not found"));
    EXPECT_EQ(bar.panels[kJobPanel], "2 of 2 jobs failed");
    EXPECT_TRUE(std::filesystem::is_empty(outFolder));
}

TEST_F(RunEndToEnd, EveryFailingToolFailsItsJobOnlyAndLeavesNoFileBehind) {
    const std::string text = dir.File("notes.avi"), vanished = dir.File("vanished.mkv"),
                      good = dir.File("good.mkv");
    testing::WriteTextFile(text, "a text file renamed to look like a video\n");
    std::filesystem::copy_file(CorpusFile("b.mkv"), vanished);
    std::filesystem::copy_file(CorpusFile("b.mkv"), good);
    ASSERT_NO_FATAL_FAILURE(Add({text, vanished, good}));
    std::filesystem::remove(vanished);
    EXPECT_EQ(control.EncodeAll(rows, options), RunOutcome::jobsFailed) << output;
    const std::map<int, std::string> logs = FailedLogs();
    ASSERT_EQ(logs.size(), 2u) << output;
    EXPECT_THAT(logs.at(1), HasSubstr("Cannot open demuxer"));
    EXPECT_THAT(logs.at(2), HasSubstr("vanished.mkv"));
    EXPECT_EQ(control.LastReport().done, 1);
    EXPECT_EQ(MediaInfoCommand("Video;%Width%", outFolder + "/good_XviD.avi"), "720");
    EXPECT_EQ(bar.panels, (Panels{"2 of 3 jobs failed", ""}));
    EXPECT_THAT(output, HasSubstr("#STATUS#Failed: notes.avi\n"));
    for (const char* name : {"notes_XviD.avi", "vanished_XviD.avi"})
        EXPECT_FALSE(std::filesystem::exists(outFolder + "/" + name));
    EXPECT_TRUE(LeftoverWorkFiles(outFolder).empty());
}

TEST_F(RunEndToEnd, ABadOutputFolderFailsTheJobWithTheToolsErrorAndLeavesTheSourceAlone) {
    const std::string source = dir.File("b.mkv");
    std::filesystem::copy_file(CorpusFile("b.mkv"), source);
    const std::string before = ReadTextFile(source);
    ASSERT_NO_FATAL_FAILURE(Add({source}));
    testing::WriteTextFile(dir.File("file"), "x");
    for (const std::string& folder :
         {dir.File("gone"), dir.File("file/out"), std::string("/proc")}) {
        options.outputFolder = folder;
        EXPECT_EQ(control.EncodeAll(rows, options), RunOutcome::jobsFailed) << folder;
        EXPECT_THAT(FailedLogs()[1], HasSubstr("Cannot open output file")) << folder;
        EXPECT_EQ(ReadTextFile(source), before) << folder;
        EXPECT_EQ(bar.panels, (Panels{"1 of 1 jobs failed", ""})) << folder;
    }
}

// Lowers the largest file this process and its tools may write, for its life.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &previous_);
        const struct rlimit limited = {bytes, previous_.rlim_max};
        applied_ = ::setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~FileSizeLimit() { ::setrlimit(RLIMIT_FSIZE, &previous_); }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    bool Applied() const { return applied_; }

private:
    struct rlimit previous_ {};
    bool applied_ = false;
};

constexpr rlim_t kFullDiskBytes = 96 * 1024;

TEST_F(RunEndToEnd, AFileSizeLimitFailsTheJobAndKeepsTheEarlierOutput) {
    ASSERT_TRUE(test::MakeClip(dir.File("clip.mkv"), 8));
    ASSERT_NO_FATAL_FAILURE(Add({dir.File("clip.mkv")}));
    testing::WriteTextFile(outFolder + "/clip_XviD.avi", "complete earlier output");
    RunOutcome outcome = RunOutcome::nothing;
    {
        const FileSizeLimit limit(kFullDiskBytes);
        ASSERT_TRUE(limit.Applied());
        outcome = control.EncodeAll(rows, options);
    }
    EXPECT_EQ(outcome, RunOutcome::jobsFailed) << output;
    EXPECT_EQ(ReadTextFile(outFolder + "/clip_XviD.avi"), "complete earlier output");
    EXPECT_TRUE(LeftoverWorkFiles(outFolder).empty());
}

TEST_F(RunEndToEnd, AsRootAFullDiskFailsTheJobAndKeepsTheEarlierOutput) {
    if (::geteuid() != 0) GTEST_SKIP() << "mounting a small file system needs root";
    const std::string small = dir.File("small");
    std::filesystem::create_directory(small);
    ASSERT_EQ(std::system(("mount -t tmpfs -o size=" + std::to_string(kFullDiskBytes) + " tmpfs '" +
                           small + "'")
                              .c_str()),
              0);
    options.outputFolder = small;
    testing::WriteTextFile(small + "/clip_XviD.avi", "complete earlier output");
    ASSERT_TRUE(test::MakeClip(dir.File("clip.mkv"), 8));
    ASSERT_NO_FATAL_FAILURE(Add({dir.File("clip.mkv")}));
    EXPECT_EQ(control.EncodeAll(rows, options), RunOutcome::jobsFailed) << output;
    EXPECT_EQ(ReadTextFile(small + "/clip_XviD.avi"), "complete earlier output");
    EXPECT_TRUE(LeftoverWorkFiles(small).empty());
    EXPECT_THAT(FailedLogs()[1], HasSubstr("is not a complete AVI file"));
    std::system(("umount '" + small + "'").c_str());
}

TEST_F(RunEndToEnd, AToolKilledFromOutsideFailsItsJobAndTheNextJobRuns) {
    const std::string longFile = dir.File("long.mkv");
    ASSERT_TRUE(test::MakeClip(longFile, 40));
    ASSERT_NO_FATAL_FAILURE(Add({longFile, CorpusFile("xvid.avi")}));
    bool killed = false;
    pump.onPump = [&] {
        if (killed || !bar.panels[kStatusPanel].starts_with("Pos")) return;
        for (pid_t member : platform::LiveGroupMembers(control.ProcessGroups().at(0)))
            if (CommandName(member) == "mencoder") killed = ::kill(member, SIGKILL) == 0;
    };
    EXPECT_EQ(control.EncodeAll(rows, options), RunOutcome::jobsFailed) << output;
    ASSERT_TRUE(killed);
    ASSERT_EQ(control.LastReport().FailedCount(), 1);
    EXPECT_EQ(control.LastReport().failed[0].number, 1);
    EXPECT_EQ(ReadTextFile(outFolder + "/xvid.avi"), ReadTextFile(CorpusFile("xvid.avi")));
    EXPECT_FALSE(std::filesystem::exists(outFolder + "/long_XviD.avi"));
    EXPECT_TRUE(LeftoverWorkFiles(outFolder).empty());
}

TEST_F(RunEndToEnd, ANameThatIsNotUtf8IsProbedAndConvertedLikeItsTwin) {
    const std::string latin1 = dir.File("caf\xE9.avi"), twin = dir.File("caf\xC3\xA9.avi");
    for (const std::string& path : {latin1, twin})
        std::filesystem::copy_file(CorpusFile("xvid.avi"), path);
    ASSERT_NO_FATAL_FAILURE(Add({latin1, twin}));
    EXPECT_EQ(rows[0].subItems, rows[1].subItems);
    EXPECT_EQ(rows[0].subItems[siDecision], "0");
    EXPECT_EQ(control.EncodeAll(rows, options), RunOutcome::completed) << output;
    EXPECT_EQ(ReadTextFile(outFolder + "/caf\xE9.avi"), ReadTextFile(CorpusFile("xvid.avi")));
}

TEST_F(RunEndToEnd, JapaneseSubtitlesNeedAJapaneseCodePageAndAreNeverWrittenWithQuestionMarks) {
    const std::string subtitle = dir.File("talk.srt");
    const std::string text =
        "1\n00:00:01,000 --> "
        "00:00:02,000\n\xE3\x81\x93\xE3\x82\x93\xE3\x81\xAB\xE3\x81\xA1\xE3\x81\xAF\n";
    testing::WriteTextFile(subtitle, text);
    ASSERT_NO_FATAL_FAILURE(Add({subtitle}, 1));
    ASSERT_EQ(rows[0].subItems[siDecision], "11");
    // Converted in its own folder: the source is also the output.
    options.outputFolder = dir.Path().string();
    {
        testing::ScopedEnv locale("LC_ALL", "en_US.UTF-8");
        EXPECT_EQ(control.EncodeAll(rows, options), RunOutcome::jobsFailed);
        EXPECT_THAT(FailedLogs()[1], HasSubstr("has no place in CP1252"));
        EXPECT_EQ(ReadTextFile(subtitle), text);
    }
    {
        testing::ScopedEnv locale("LC_ALL", "ja_JP.UTF-8");
        EXPECT_EQ(control.EncodeAll(rows, options), RunOutcome::completed) << output;
        EXPECT_EQ(ReadTextFile(subtitle),
                  "1\n00:00:01,000 --> 00:00:02,000\n\x82\xB1\x82\xF1\x82\xC9\x82\xBF\x82\xCD\n");
    }
}

}  // namespace
}  // namespace tessaro
