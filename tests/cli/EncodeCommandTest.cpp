#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>

#include <filesystem>

#include "../encode/CorpusFiles.h"
#include "../encode/MediaInfoCli.h"
#include "RunProgram.h"
#include "platform/ProcessKiller.h"
#include "platform/ProcessTestSupport.h"
#include "platform/ScopedEnv.h"

namespace tessaro::test {
namespace {

using testing::Eventually;
using testing::ProcessEnded;
using testing::ReadTextFile;
using testing::ScopedEnv;
using testing::TempDir;

const std::string kCli = std::string(TESSARO_BIN_DIR) + "/tessaro-cli";

class EncodeCommand : public ::testing::Test {
protected:
    EncodeCommand() { std::filesystem::create_directories(out); }

    ProgramRun Encode(std::vector<std::string> arguments) {
        return RunProgram(kCli, arguments, dir.Path());
    }

    TempDir dir;
    const std::string out = dir.File("out");
    const std::string temp = dir.File("temp");
    ScopedEnv tempFolder{"TEMP", temp.c_str()};
    bool madeTemp = std::filesystem::create_directories(temp);
};

TEST_F(EncodeCommand, ConvertsAndCopiesAndSaysCompleted) {
    const ProgramRun run = Encode({"encode", "--output", out, CorpusFile("b.mkv"), CorpusFile("xvid.avi")});
    ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
    EXPECT_EQ(MediaInfoCommand("Video;%Width%", out + "/b_XviD.avi"), "720");
    EXPECT_EQ(ReadTextFile(out + "/xvid.avi"), ReadTextFile(CorpusFile("xvid.avi")));
    // Not a terminal: one plain line per change, ending with the completed text.
    EXPECT_NE(run.out.find("Job:1/2  Encoding\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Job:1/2  Pos:"), std::string::npos) << run.out;
    EXPECT_TRUE(run.out.ends_with("\nCompleted\n")) << run.out;
    EXPECT_EQ(run.out.find('\r'), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(temp + "/~tmp86CB.sh"));
}

TEST_F(EncodeCommand, NamesAMissingToolAndStillCompletes) {
    // A program folder without the tools beside it, and none on PATH.
    const std::string lonely = dir.File("tessaro-cli");
    std::filesystem::copy_file(kCli, lonely);
    ScopedEnv path("PATH", "/usr/bin:/bin");
    const ProgramRun run = RunProgram(lonely, {"encode", "--output", out, CorpusFile("xvid.avi")}, dir.Path());
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.err.find("~tmp86CB.sh: 5: fastcopy: not found"), std::string::npos) << run.err;
}

TEST_F(EncodeCommand, ShownConsoleLeavesTheToolsOutputToTheTerminal) {
    const ProgramRun run = Encode({"encode", "--show-console", "--output", out, CorpusFile("xvid.avi")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    // The script's own lines reach the program's output unparsed.
    EXPECT_NE(run.out.find("#JOB#Job:1/1\n#STATUS#Encoding\n"), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find("Job:1/1  Encoding"), std::string::npos) << run.out;
    EXPECT_TRUE(run.out.ends_with("Completed\n")) << run.out;
    EXPECT_EQ(ReadTextFile(out + "/xvid.avi"), ReadTextFile(CorpusFile("xvid.avi")));
}

struct BadCall {
    const char* name;
    std::vector<std::string> arguments;
    int exitCode;
    std::string message;
};

void PrintTo(const BadCall& call, std::ostream* out) { *out << call.name; }

class EncodeCommandRefuses : public EncodeCommand, public ::testing::WithParamInterface<BadCall> {};

TEST_P(EncodeCommandRefuses, WithoutRunningAnything) {
    const ProgramRun run = Encode(GetParam().arguments);
    EXPECT_EQ(run.exitCode, GetParam().exitCode);
    EXPECT_NE(run.err.find(GetParam().message), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(temp + "/~tmp86CB.sh"));
    EXPECT_TRUE(std::filesystem::is_empty(out));
}

INSTANTIATE_TEST_SUITE_P(
    Calls, EncodeCommandRefuses,
    ::testing::Values(BadCall{"Dialect", {"encode", "--dialect", "cmd", "x.avi"}, 2, "--dialect is not taken"},
                      BadCall{"Script", {"encode", "--script=/tmp/x", "x.avi"}, 2, "--script is not taken"},
                      BadCall{"UnknownOption", {"encode", "--fast", "x.avi"}, 2, "--fast"},
                      BadCall{"NoPaths", {"encode"}, 2, "needs PATHs"},
                      BadCall{"NoRows", {"encode", "/no/such/file.avi"}, 1, "no job rows"}),
    [](const ::testing::TestParamInfo<BadCall>& info) { return std::string(info.param.name); });

// The CLI with its output on a pipe the test reads as it goes.
class LiveCli {
public:
    explicit LiveCli(const std::vector<std::string>& arguments) {
        int fds[2];
        if (::pipe2(fds, O_CLOEXEC) != 0) return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::dup2(fds[1], STDOUT_FILENO);
            std::vector<char*> argv{const_cast<char*>(kCli.c_str())};
            for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
            argv.push_back(nullptr);
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
        ::close(fds[1]);
        readFd_ = fds[0];
    }
    ~LiveCli() {
        if (readFd_ >= 0) ::close(readFd_);
    }

    // Reads until `text` has appeared or the output ends.
    bool WaitFor(const std::string& text) {
        char buffer[4096];
        while (output.find(text) == std::string::npos) {
            pollfd ready{readFd_, POLLIN, 0};
            if (::poll(&ready, 1, 30000) != 1) return false;
            const ssize_t count = ::read(readFd_, buffer, sizeof buffer);
            if (count <= 0) return false;
            output.append(buffer, static_cast<size_t>(count));
        }
        return true;
    }

    int Finish() {
        WaitFor("\x04never");
        int status = 0;
        ::waitpid(pid_, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }

    pid_t Pid() const { return pid_; }
    std::string output;

private:
    pid_t pid_ = -1;
    int readFd_ = -1;
};

std::vector<pid_t> ChildrenOf(pid_t pid) {
    std::istringstream children(
        ReadTextFile("/proc/" + std::to_string(pid) + "/task/" + std::to_string(pid) + "/children"));
    std::vector<pid_t> pids;
    for (pid_t child; children >> child;) pids.push_back(child);
    return pids;
}

TEST_F(EncodeCommand, CtrlCStopsTheRunAndEndsItsTools) {
    const std::string longFile = dir.File("long.mkv");
    ASSERT_EQ(std::system(("ffmpeg -nostdin -hide_banner -loglevel error -y "
                           "-f lavfi -i testsrc=size=640x360:rate=10:duration=40 "
                           "-c:v mpeg4 -vtag XVID -q:v 10 -an -f matroska '" +
                           longFile + "'")
                              .c_str()),
              0);
    LiveCli cli({"encode", "--shutdown", "--output", out, longFile});
    ASSERT_TRUE(cli.WaitFor("Pos:")) << cli.output;
    const std::vector<pid_t> scripts = ChildrenOf(cli.Pid());
    ASSERT_EQ(scripts.size(), 1u);
    const pid_t group = scripts.front();
    std::vector<pid_t> tools;
    ASSERT_TRUE(Eventually([&] {
        tools = platform::LiveGroupMembers(group);
        return tools.size() >= 2;
    }));
    ASSERT_EQ(::kill(cli.Pid(), SIGINT), 0);
    EXPECT_EQ(cli.Finish(), 130) << cli.output;
    EXPECT_TRUE(cli.output.ends_with("\nStopped\n")) << cli.output;
    for (pid_t tool : tools) EXPECT_TRUE(ProcessEnded(tool)) << tool;
}

}  // namespace
}  // namespace tessaro::test
