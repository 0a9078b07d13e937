#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>

#include "../encode/CorpusFiles.h"
#include "../encode/MediaClip.h"
#include "../encode/MediaInfoCli.h"
#include "RunProgram.h"
#include "platform/ProcessKiller.h"
#include "platform/ProcessTestSupport.h"
#include "platform/ScopedEnv.h"

namespace tessaro::test {
namespace {

namespace fs = std::filesystem;
using ::testing::AllOf;
using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::Not;
using testing::ReadTextFile;

const std::string kCli = TESSARO_BIN_DIR "/tessaro-cli";

int SetAsideFolders(const std::string& folder) {
    int count = 0;
    for (const auto& entry : fs::directory_iterator(folder))
        count += entry.path().filename().string().find(".untrusted-") != std::string::npos;
    return count;
}

// A tessaro-cli run whose standard output is read as it comes, so that a test
// can act on it halfway; `arguments` are shell words (and redirections).
class LiveRun {
public:
    explicit LiveRun(const std::string& arguments)
        : pipe_(::popen(("exec '" + kCli + "' " + arguments).c_str(), "r")) {}
    ~LiveRun() {
        if (pipe_) ::pclose(pipe_);
    }
    LiveRun(const LiveRun&) = delete;
    LiveRun& operator=(const LiveRun&) = delete;

    // Reads until the output holds `text` or ends.
    void ReadUntil(std::string_view text) {
        while (pipe_ && output_.find(text) == std::string::npos && ReadLine()) {
        }
    }
    // Reads to the end; the exit code, or -1 when the run did not exit.
    int Finish() {
        while (pipe_ && ReadLine()) {
        }
        const int status = pipe_ ? ::pclose(pipe_) : -1;
        pipe_ = nullptr;
        return status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    const std::string& Output() const { return output_; }

private:
    bool ReadLine() {
        char line[4096];
        if (!std::fgets(line, sizeof line, pipe_)) return false;
        output_ += line;
        return true;
    }

    FILE* pipe_;
    std::string output_;
};

class EncodeCommand : public ::testing::Test {
protected:
    EncodeCommand() { fs::create_directories(out), fs::create_directories(temp); }
    ProgramRun Encode(std::vector<std::string> arguments, const std::string& cli = kCli) {
        arguments.insert(arguments.begin(), "encode");
        return RunProgram(cli, arguments, dir.Path());
    }

    bool TempIsEmpty() const { return fs::is_empty(temp); }

    testing::TempDir dir;
    const std::string out = dir.File("out"), temp = dir.File("temp");
    testing::ScopedEnv tempFolder{"TEMP", temp.c_str()};
    // A system bus nobody listens on: no run of a test can ever ask logind to power off.
    const std::string deadBus = "unix:path=" + dir.File("no-system-bus");
    testing::ScopedEnv systemBus{"DBUS_SYSTEM_BUS_ADDRESS", deadBus.c_str()};
};

TEST_F(EncodeCommand, ConvertsAndCopiesAndSaysCompleted) {
    const ProgramRun run =
        Encode({"--jobs", "1", "--output", out, CorpusFile("b.mkv"), CorpusFile("xvid.avi")});
    ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
    EXPECT_EQ(MediaInfoCommand("Video;%Width%", out + "/b_XviD.avi"), "720");
    EXPECT_EQ(ReadTextFile(out + "/xvid.avi"), ReadTextFile(CorpusFile("xvid.avi")));
    // Not a terminal: a line as each job starts and ends, with the list's figures, then the end.
    EXPECT_THAT(run.out, AllOf(HasSubstr("Job:1/2  started b.mkv  0%\n"),
                               HasSubstr("Job:2/2  done  100%  ETA 0:00\n"),
                               EndsWith("\nCompleted\n"), Not(HasSubstr("\r"))));
    EXPECT_TRUE(TempIsEmpty()) << "a completed run leaves nothing in the temp folder";
    // By default the copy starts beside the conversion, and the log says so.
    const ProgramRun sideBySide =
        Encode({"--output", dir.File("both"), CorpusFile("b.mkv"), CorpusFile("xvid.avi")});
    ASSERT_EQ(sideBySide.exitCode, 0) << sideBySide.err;
    EXPECT_THAT(sideBySide.out, AllOf(HasSubstr("Job:2/2  started xvid.avi  0%  2 jobs running\n"),
                                      EndsWith("\nCompleted\n")));
    EXPECT_EQ(ReadTextFile(dir.File("both/b_XviD.avi")), ReadTextFile(out + "/b_XviD.avi"));
}

TEST_F(EncodeCommand, ShownConsoleLeavesTheToolsOutputUnparsed) {
    const ProgramRun run = Encode({"--show-console", "--output", out, CorpusFile("xvid.avi")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    // The front end's own lines may fall anywhere between the tools' lines.
    EXPECT_THAT(run.out, AllOf(HasSubstr("#JOB#Job:1/1\n"), HasSubstr("#STATUS#Encoding\n"),
                               Not(HasSubstr("Job:1/1  Encoding")), EndsWith("Completed\n")));
    EXPECT_EQ(ReadTextFile(out + "/xvid.avi"), ReadTextFile(CorpusFile("xvid.avi")));
}

TEST_F(EncodeCommand, NamesAMissingToolsJobAndSaysSomeJobsFailed) {
    // A program folder without the tools beside it, and none on PATH.
    const std::string lonely = dir.File("tessaro-cli");
    fs::copy_file(kCli, lonely);
    fs::copy_file(kCli + "-full", dir.File("tessaro-cli-full"));
    testing::ScopedEnv path("PATH", "/usr/bin:/bin");
    const ProgramRun run = Encode({"--output", out, CorpusFile("xvid.avi")}, lonely);
    EXPECT_EQ(run.exitCode, 3) << run.err;
    EXPECT_THAT(run.err,
                AllOf(HasSubstr("job 1/1 failed: xvid.avi\n"), HasSubstr("fastcopy: not found")));
    EXPECT_THAT(run.out, EndsWith("\n1 of 1 jobs failed\n"));
}

TEST_F(EncodeCommand, FailedJobsAreNamedWithTheirToolsLastWordsAndExitThree) {
    const std::string notes = dir.File("notes.avi");
    testing::WriteTextFile(notes, "a text file renamed to look like a video\n");
    const ProgramRun run = Encode({"--output", out, notes, CorpusFile("xvid.avi")});
    EXPECT_EQ(run.exitCode, 3) << run.err;
    EXPECT_THAT(run.err, AllOf(HasSubstr("job 1/2 failed: notes.avi\n"),
                               HasSubstr("    Cannot open demuxer.\n"),
                               HasSubstr("messages are kept in " + temp + "/run-cli-")));
    EXPECT_THAT(run.out, EndsWith("\n1 of 2 jobs failed\n"));
    EXPECT_EQ(ReadTextFile(out + "/xvid.avi"), ReadTextFile(CorpusFile("xvid.avi")));
    EXPECT_FALSE(TempIsEmpty()) << "the log stays for the user";
    const ProgramRun next = Encode({"--output", out, CorpusFile("xvid.avi")});
    EXPECT_EQ(next.exitCode, 0) << next.err;
    EXPECT_TRUE(TempIsEmpty()) << "until the next run";
}

TEST_F(EncodeCommand, AMissingOutputFolderIsAFailureNotACompletion) {
    const ProgramRun run =
        Encode({"--output", dir.File("no/such/folder"), CorpusFile("mpeg4.mp4")});
    EXPECT_EQ(run.exitCode, 3) << run.out;
    EXPECT_THAT(run.err, AllOf(HasSubstr("job 1/1 failed: mpeg4.mp4"),
                               HasSubstr("Cannot open output file")));
    EXPECT_THAT(run.out, Not(HasSubstr("Completed")));
    EXPECT_FALSE(fs::exists(dir.File("no")));
}

// In the system's /tmp, which belongs to root, as on every desktop.
TEST_F(EncodeCommand, TwoRunsAtOnceEachRunTheirOwnJobsInTheSharedTmp) {
    const testing::ScopedEnv noTemp("TEMP", nullptr), base("TMPDIR", "/tmp");
    const int setAsideBefore = SetAsideFolders("/tmp");
    for (int attempt = 0; attempt < 10; ++attempt) {
        const std::string first = dir.File("first" + std::to_string(attempt));
        const std::string second = dir.File("second" + std::to_string(attempt));
        const auto start = [&](const std::string& output) {
            fs::create_directories(output);
            return std::make_unique<LiveRun>("encode --output '" + output + "' '" +
                                             CorpusFile("b.mkv") + "'");
        };
        const std::unique_ptr<LiveRun> one = start(first), two = start(second);
        EXPECT_EQ(one->Finish(), 0) << attempt << one->Output();
        EXPECT_EQ(two->Finish(), 0) << attempt << two->Output();
        for (const std::string& folder : {first, second})
            EXPECT_EQ(MediaInfoCommand("Video;%Width%", folder + "/b_XviD.avi"), "720") << folder;
    }
    EXPECT_EQ(SetAsideFolders("/tmp"), setAsideBefore);
}

TEST_F(EncodeCommand, FilesOfTheSameNameGetOutputsOfTheirOwn) {
    const std::string mkv = dir.File("clip.mkv"), avi = dir.File("clip.avi");
    fs::copy_file(CorpusFile("b.mkv"), mkv);
    fs::copy_file(CorpusFile("tall.avi"), avi);
    const ProgramRun run = Encode({"--output", out, mkv, avi});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_THAT(run.out, HasSubstr("Output: '" + avi + "' -> '" + out + "/clip (2)_XviD.avi'"));
    // Each from its own source: they are scaled to different widths.
    EXPECT_EQ(MediaInfoCommand("Video;%Width%", out + "/clip_XviD.avi"), "720");
    EXPECT_EQ(MediaInfoCommand("Video;%Width%", out + "/clip (2)_XviD.avi"), "512");
}

TEST_F(EncodeCommand, AsRootAnOpenPrivateTempFolderIsSetAsideWithWhateverOthersPlantedInIt) {
    if (::geteuid() != 0) GTEST_SKIP() << "planting another user's link needs root";
    testing::ScopedEnv noTemp("TEMP", nullptr);
    testing::ScopedEnv base("TMPDIR", dir.File("shared").c_str());
    const std::string privateFolder = dir.File("shared/tessaro-0");
    fs::create_directories(privateFolder);
    fs::permissions(privateFolder, fs::perms::all);
    testing::WriteTextFile(dir.File("victim.txt"), "precious");
    fs::create_symlink(dir.File("victim.txt"), privateFolder + "/2.txt");
    ASSERT_EQ(::lchown((privateFolder + "/2.txt").c_str(), 65534, 65534), 0);
    ASSERT_EQ(::mkfifo((privateFolder + "/~tmp86CB.sh").c_str(), 0666), 0);
    const ProgramRun run = Encode({"--output", out, CorpusFile("xvid.avi")});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(ReadTextFile(dir.File("victim.txt")), "precious");
    EXPECT_EQ(testing::ModeOf(privateFolder), 0700u);
    EXPECT_FALSE(fs::exists(privateFolder + "/2.txt"));
    int setAside = 0;
    for (const auto& entry : fs::directory_iterator(dir.File("shared")))
        setAside += entry.path().filename().string().starts_with("tessaro-0.untrusted-");
    EXPECT_EQ(setAside, 1);
}

TEST_F(EncodeCommand, AnOutputFolderTheUserCannotWriteFailsTheJob) {
    if (::geteuid() == 0) GTEST_SKIP() << "root writes into any folder";
    fs::permissions(out, fs::perms::owner_read | fs::perms::owner_exec);
    const ProgramRun run = Encode({"--output", out, CorpusFile("b.mkv")});
    fs::permissions(out, fs::perms::owner_all);
    EXPECT_EQ(run.exitCode, 3) << run.out << run.err;
    EXPECT_THAT(run.err, HasSubstr("job 1/1 failed: b.mkv"));
    EXPECT_TRUE(fs::is_empty(out));
}

TEST_F(EncodeCommand, ARunThatLosesItsFolderFailsEveryJobItCannotShowDone) {
    const std::string first = dir.File("first.mkv"), second = dir.File("second.mkv");
    ASSERT_TRUE(MakeClip(first, 5, 25));
    fs::copy_file(CorpusFile("b.mkv"), second);
    LiveRun run("encode --jobs 1 --output '" + out + "' '" + first + "' '" + second + "' 2>&1");
    run.ReadUntil(" started ");
    // The running job may write a file into the folder while it goes: remove until it is gone.
    for (int attempt = 0; attempt < 100 && !fs::is_empty(temp); ++attempt)
        for (const auto& entry : fs::directory_iterator(temp)) {
            std::error_code raced;
            fs::remove_all(entry.path(), raced);
        }
    ASSERT_TRUE(fs::is_empty(temp));
    EXPECT_EQ(run.Finish(), 3) << run.Output();
    EXPECT_THAT(run.Output(),
                AllOf(HasSubstr("job 1/2 failed: first.mkv"),
                      HasSubstr("job 2/2 failed: second.mkv"), Not(EndsWith("\nCompleted\n"))));
}

TEST_F(EncodeCommand, ANameThatIsNotUtf8IsConvertedLikeItsTwin) {
    const std::string latin1 = dir.File("caf\xE9.mkv");
    fs::copy_file(CorpusFile("b.mkv"), latin1);
    const ProgramRun run = Encode({"--output", out, latin1});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    // The mediainfo command cannot open such a name; the program's own probe can.
    const ProgramRun probed = RunProgram(kCli, {"probe", out + "/caf\xE9_XviD.avi"}, dir.Path());
    EXPECT_THAT(probed.out, HasSubstr("\tMPEG-4 Visual\tXVID\t720\t"));
}

TEST_F(EncodeCommand, SubtitlesTakeTheLocalesCodePageOrTheOneAskedFor) {
    const std::string subtitle = dir.File("talk.srt");
    const std::string text = "1\n00:00:01,000 --> 00:00:02,000\n\xE3\x81\x93\xE3\x82\x93\n";
    testing::WriteTextFile(subtitle, text);
    const std::string converted = out + "/talk.srt";
    testing::WriteTextFile(converted, "earlier output");
    {
        testing::ScopedEnv locale("LC_ALL", "de_DE.UTF-8");
        const ProgramRun run = Encode({"--device", "1", "--output", out, subtitle});
        EXPECT_EQ(run.exitCode, 3) << run.err;
        EXPECT_THAT(run.err, HasSubstr("U+3053 '\xE3\x81\x93', has no place in CP1252"));
        EXPECT_EQ(ReadTextFile(converted), "earlier output");
        EXPECT_EQ(ReadTextFile(subtitle), text);
    }
    {
        testing::ScopedEnv locale("LC_ALL", "ja_JP.UTF-8");
        const ProgramRun run = Encode({"--device", "1", "--output", out, subtitle});
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(ReadTextFile(converted), "1\n00:00:01,000 --> 00:00:02,000\n\x82\xB1\x82\xF1\n");
    }
    fs::remove(converted);
    const ProgramRun asked =
        Encode({"--device", "1", "--subtitle-codepage", "CP932", "--output", out, subtitle});
    EXPECT_EQ(asked.exitCode, 0) << asked.err;
    EXPECT_EQ(ReadTextFile(converted), "1\n00:00:01,000 --> 00:00:02,000\n\x82\xB1\x82\xF1\n");
}

TEST_F(EncodeCommand, RefusesBadCallsWithoutRunningAnything) {
    const std::tuple<std::vector<std::string>, int, const char*> cases[] = {
        {{"--dialect", "cmd", "x.avi"}, 2, "--dialect is not taken"},
        {{"--script=/tmp/x", "x.avi"}, 2, "--script is not taken"},
        {{"--fast", "x.avi"}, 2, "--fast"},
        {{}, 2, "needs PATHs"},
        {{"--subtitle-codepage=", "x.avi"}, 2, "--subtitle-codepage needs a code page"},
        {{"--jobs", "0", "x.avi"}, 2, "--jobs takes a count from 1"},
        {{"--jobs=many", "x.avi"}, 2, "not \"many\""},
        {{"x.avi", "--jobs"}, 2, "--jobs needs a value"},
        {{"/no/such/file.avi"}, 1, "no job rows"}};
    for (const auto& [arguments, exitCode, message] : cases) {
        const ProgramRun run = Encode(arguments);
        EXPECT_EQ(run.exitCode, exitCode) << message;
        EXPECT_THAT(run.err, HasSubstr(message));
        EXPECT_TRUE(TempIsEmpty()) << message;
        EXPECT_TRUE(fs::is_empty(out)) << message;
    }
}

std::vector<pid_t> ChildrenOf(pid_t pid) {
    const std::string id = std::to_string(pid);
    std::istringstream children(ReadTextFile("/proc/" + id + "/task/" + id + "/children"));
    return {std::istream_iterator<pid_t>(children), std::istream_iterator<pid_t>()};
}

TEST_F(EncodeCommand, CtrlCOrSigtermStopsEveryRunningJobEndsItsToolsAndKeepsTheEarlierOutputs) {
    const std::string first = dir.File("first.mkv"), second = dir.File("second.mkv");
    ASSERT_TRUE(MakeClip(first, 40, 25));
    fs::copy_file(first, second);
    for (const int signal : {SIGINT, SIGTERM}) {
        for (const char* name : {"/first_XviD.avi", "/second_XviD.avi"})
            fs::copy_file(CorpusFile("xvid.avi"), out + name, fs::copy_options::overwrite_existing);
        LiveRun run("encode --jobs 2 --shutdown --output '" + out + "' '" + first + "' '" + second +
                    "'");
        run.ReadUntil("2 jobs running");
        const std::vector<pid_t> clis = ChildrenOf(::getpid());
        ASSERT_EQ(clis.size(), 1u) << run.Output();
        const std::vector<pid_t> scripts = ChildrenOf(clis[0]);
        ASSERT_EQ(scripts.size(), 2u) << signal;
        std::vector<pid_t> tools;
        ASSERT_TRUE(testing::Eventually([&] {
            tools.clear();
            for (pid_t script : scripts)
                for (pid_t tool : platform::LiveGroupMembers(script)) tools.push_back(tool);
            return tools.size() >= 4;
        }));
        ASSERT_EQ(::kill(clis[0], signal), 0);
        EXPECT_EQ(run.Finish(), 130) << run.Output();
        EXPECT_THAT(run.Output(), EndsWith("\nStopped\n"));
        for (pid_t tool : tools) EXPECT_TRUE(testing::ProcessEnded(tool)) << tool;
        for (const char* name : {"/first_XviD.avi", "/second_XviD.avi"})
            EXPECT_EQ(ReadTextFile(out + name), ReadTextFile(CorpusFile("xvid.avi"))) << name;
        EXPECT_EQ(std::distance(fs::directory_iterator(out), fs::directory_iterator()), 2)
            << "no work file is left";
        EXPECT_TRUE(TempIsEmpty());
    }
}

TEST_F(EncodeCommand, PowerOffCountsDownAndCtrlCCancelsIt) {
    {
        testing::ScopedEnv countdown("TESSARO_SHUTDOWN_COUNTDOWN", "30");
        LiveRun run("encode --shutdown --output '" + out + "' '" + CorpusFile("xvid.avi") +
                    "' 2>&1");
        run.ReadUntil("powering off in");
        const std::vector<pid_t> clis = ChildrenOf(::getpid());
        ASSERT_EQ(clis.size(), 1u) << run.Output();
        ASSERT_EQ(::kill(clis[0], SIGINT), 0);
        EXPECT_EQ(run.Finish(), 0) << run.Output();
        EXPECT_THAT(run.Output(),
                    AllOf(HasSubstr("Completed: powering off in 30 s; Ctrl-C cancels\n"),
                          HasSubstr("Power-off cancelled\n"), Not(HasSubstr("power-off request"))));
    }
    testing::ScopedEnv countdown("TESSARO_SHUTDOWN_COUNTDOWN", "1");
    const ProgramRun expired = Encode({"--shutdown", "--output", out, CorpusFile("xvid.avi")});
    EXPECT_EQ(expired.exitCode, 0);
    EXPECT_THAT(expired.out, HasSubstr("powering off in 1 s"));
    EXPECT_THAT(expired.err, HasSubstr("the system did not take the power-off request"));
}

}  // namespace
}  // namespace tessaro::test
