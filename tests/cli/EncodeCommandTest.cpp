#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>

#include "../encode/CorpusFiles.h"
#include "../encode/MediaInfoCli.h"
#include "RunProgram.h"
#include "platform/ProcessKiller.h"
#include "platform/ProcessTestSupport.h"
#include "platform/ScopedEnv.h"

namespace tessaro::test {
namespace {

namespace fs = std::filesystem;
using testing::ReadTextFile;
using ::testing::AllOf;
using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::Not;

const std::string kCli = TESSARO_BIN_DIR "/tessaro-cli";

class EncodeCommand : public ::testing::Test {
protected:
    EncodeCommand() { fs::create_directories(out), fs::create_directories(temp); }
    ProgramRun Encode(std::vector<std::string> arguments, const std::string& cli = kCli) {
        arguments.insert(arguments.begin(), "encode");
        return RunProgram(cli, arguments, dir.Path());
    }

    testing::TempDir dir;
    const std::string out = dir.File("out"), temp = dir.File("temp");
    const std::string script = temp + "/~tmp86CB.sh";
    testing::ScopedEnv tempFolder{"TEMP", temp.c_str()};
};

TEST_F(EncodeCommand, ConvertsAndCopiesAndSaysCompleted) {
    const ProgramRun run = Encode({"--output", out, CorpusFile("b.mkv"), CorpusFile("xvid.avi")});
    ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
    EXPECT_EQ(MediaInfoCommand("Video;%Width%", out + "/b_XviD.avi"), "720");
    EXPECT_EQ(ReadTextFile(out + "/xvid.avi"), ReadTextFile(CorpusFile("xvid.avi")));
    // Not a terminal: one plain line per change, ending with the completed text.
    EXPECT_THAT(run.out, AllOf(HasSubstr("Job:1/2  Encoding\n"), HasSubstr("Job:1/2  Pos:"),
                               EndsWith("\nCompleted\n"), Not(HasSubstr("\r"))));
    EXPECT_TRUE(fs::exists(script));
}

TEST_F(EncodeCommand, ShownConsoleLeavesTheToolsOutputUnparsed) {
    const ProgramRun run = Encode({"--show-console", "--output", out, CorpusFile("xvid.avi")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_THAT(run.out, AllOf(HasSubstr("#JOB#Job:1/1\n#STATUS#Encoding\n"),
                               Not(HasSubstr("Job:1/1  Encoding")), EndsWith("Completed\n")));
    EXPECT_EQ(ReadTextFile(out + "/xvid.avi"), ReadTextFile(CorpusFile("xvid.avi")));
}

TEST_F(EncodeCommand, NamesAMissingToolAndStillCompletes) {
    // A program folder without the tools beside it, and none on PATH.
    const std::string lonely = dir.File("tessaro-cli");
    fs::copy_file(kCli, lonely);
    testing::ScopedEnv path("PATH", "/usr/bin:/bin");
    const ProgramRun run = Encode({"--output", out, CorpusFile("xvid.avi")}, lonely);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_THAT(run.err, HasSubstr("~tmp86CB.sh: 5: fastcopy: not found"));
}

TEST_F(EncodeCommand, RefusesBadCallsWithoutRunningAnything) {
    const std::tuple<std::vector<std::string>, int, const char*> cases[] = {
        {{"--dialect", "cmd", "x.avi"}, 2, "--dialect is not taken"},
        {{"--script=/tmp/x", "x.avi"}, 2, "--script is not taken"},
        {{"--fast", "x.avi"}, 2, "--fast"},
        {{}, 2, "needs PATHs"},
        {{"/no/such/file.avi"}, 1, "no job rows"}};
    for (const auto& [arguments, exitCode, message] : cases) {
        const ProgramRun run = Encode(arguments);
        EXPECT_EQ(run.exitCode, exitCode) << message;
        EXPECT_THAT(run.err, HasSubstr(message));
        EXPECT_FALSE(fs::exists(script)) << message;
        EXPECT_TRUE(fs::is_empty(out)) << message;
    }
}

std::vector<pid_t> ChildrenOf(pid_t pid) {
    const std::string id = std::to_string(pid);
    std::istringstream children(ReadTextFile("/proc/" + id + "/task/" + id + "/children"));
    return {std::istream_iterator<pid_t>(children), std::istream_iterator<pid_t>()};
}

TEST_F(EncodeCommand, CtrlCStopsTheRunAndEndsItsTools) {
    const std::string longFile = dir.File("long.mkv");
    ASSERT_EQ(std::system(("ffmpeg -nostdin -hide_banner -loglevel error -y -f lavfi -i "
                           "testsrc=size=640x360:rate=10:duration=40 -c:v mpeg4 -vtag XVID "
                           "-q:v 10 -an -f matroska '" + longFile + "'").c_str()), 0);
    FILE* cli = ::popen(("exec '" + kCli + "' encode --shutdown --output '" + out + "' '" +
                         longFile + "'").c_str(), "r");
    ASSERT_NE(cli, nullptr);
    std::string output;
    char line[4096];
    while (output.find("Pos:") == std::string::npos && std::fgets(line, sizeof line, cli))
        output += line;
    const std::vector<pid_t> clis = ChildrenOf(::getpid());
    ASSERT_EQ(clis.size(), 1u) << output;
    const std::vector<pid_t> scripts = ChildrenOf(clis[0]);
    ASSERT_EQ(scripts.size(), 1u);
    std::vector<pid_t> tools;
    ASSERT_TRUE(testing::Eventually([&] {
        tools = platform::LiveGroupMembers(scripts[0]);
        return tools.size() >= 2;
    }));
    ASSERT_EQ(::kill(clis[0], SIGINT), 0);
    while (std::fgets(line, sizeof line, cli)) output += line;
    const int status = ::pclose(cli);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 130) << status << output;
    EXPECT_THAT(output, EndsWith("\nStopped\n"));
    for (pid_t tool : tools) EXPECT_TRUE(testing::ProcessEnded(tool)) << tool;
}

}  // namespace
}  // namespace tessaro::test
