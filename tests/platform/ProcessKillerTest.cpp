#include "platform/ProcessKiller.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include "ProcessTestSupport.h"
#include "platform/ChildProcess.h"
#include "platform/Paths.h"

namespace tessaro::platform {
namespace {

using testing::Eventually;
using testing::OutsideProcess;
using testing::ProcessEnded;
using testing::TempDir;
using testing::WriteTextFile;

bool KilledBy(int status, int signal) { return WIFSIGNALED(status) && WTERMSIG(status) == signal; }

// Right after fork the process still bears the test's own name.
bool RunsItsProgram(const OutsideProcess& process) {
    return Eventually([&] {
        const std::string comm = testing::ReadTextFile("/proc/" + std::to_string(process.Pid()) + "/comm");
        return comm.starts_with("zz") || comm.starts_with("tessaro-long");
    });
}

TEST(KillProcessesByName, EndsEveryProcessOfThatNameAndNoOther) {
    TempDir dir;
    const std::string target = testing::MakeUniqueSleeper(dir, "zzkill");
    const std::string bystander = testing::MakeUniqueSleeper(dir, "zzkeep");
    OutsideProcess first({target, "30"}), second({target, "30"}), other({bystander, "30"});
    for (const OutsideProcess* process : {&first, &second, &other})
        ASSERT_TRUE(RunsItsProgram(*process));

    // Upper case: names compare without regard to case.
    EXPECT_TRUE(KillProcessesByName("ZZKILL" + std::to_string(::getpid()), SIGKILL));
    EXPECT_TRUE(KilledBy(first.Collect(), SIGKILL));
    EXPECT_TRUE(KilledBy(second.Collect(), SIGKILL));
    EXPECT_TRUE(other.Alive());
}

TEST(KillProcessesByName, MatchesTheImageNameBeyondTheCommandNameLimit) {
    TempDir dir;
    // /proc/<pid>/comm keeps 15 characters; the image file name keeps them all.
    const std::string longName = testing::MakeUniqueSleeper(dir, "tessaro-long-sleeper-");
    ASSERT_GT(ExtractFileName(longName).size(), 15u);
    OutsideProcess sleeper({longName, "30"});
    ASSERT_TRUE(RunsItsProgram(sleeper));
    EXPECT_TRUE(KillProcessesByName(ExtractFileName(longName), SIGTERM));
    EXPECT_TRUE(KilledBy(sleeper.Collect(), SIGTERM));
}

TEST(KillProcessesByName, ReportsFalseWhenNothingMatches) {
    EXPECT_FALSE(KillProcessesByName("no-such-program-" + std::to_string(::getpid()), SIGKILL));
}

TEST(TerminateProcessGroup, EndsTheWholeGroupButNothingOutsideIt) {
    TempDir dir;
    const std::string sleeper = testing::MakeUniqueSleeper(dir, "zzgroup");
    const std::string script = dir.File("group.sh");
    WriteTextFile(script, "'" + sleeper + "' 30 &\n'" + sleeper + "' 30 &\nwait\n");
    OutsideProcess outside({sleeper, "30"});
    ChildProcess child;
    ASSERT_EQ(child.Start({"/bin/sh", script}, "", -1), 0);
    ASSERT_TRUE(Eventually([&] { return LiveGroupMembers(child.Pid()).size() == 3; }));
    const std::vector<pid_t> members = LiveGroupMembers(child.Pid());

    EXPECT_TRUE(TerminateProcessGroup(child.Pid(), std::chrono::milliseconds(2000)));
    EXPECT_TRUE(LiveGroupMembers(child.Pid()).empty());
    for (pid_t member : members) EXPECT_TRUE(ProcessEnded(member)) << member;
    EXPECT_TRUE(outside.Alive());
    EXPECT_TRUE(child.HasEnded());
}

TEST(TerminateProcessGroup, KillsWhatIgnoresTheRequestAfterTheGrace) {
    TempDir dir;
    const std::string script = dir.File("stubborn.sh");
    WriteTextFile(script, "trap '' TERM\nwhile :; do sleep 0.05; done\n");
    ChildProcess child;
    ASSERT_EQ(child.Start({"/bin/sh", script}, "", -1), 0);
    ASSERT_TRUE(Eventually([&] { return !LiveGroupMembers(child.Pid()).empty(); }));
    const auto started = std::chrono::steady_clock::now();
    EXPECT_TRUE(TerminateProcessGroup(child.Pid(), std::chrono::milliseconds(200)));
    EXPECT_GE(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(200));
    EXPECT_TRUE(child.HasEnded());
    siginfo_t info{};
    ASSERT_EQ(::waitid(P_PID, static_cast<id_t>(child.Pid()), &info, WEXITED | WNOHANG | WNOWAIT), 0);
    EXPECT_EQ(info.si_code, CLD_KILLED);
    EXPECT_EQ(info.si_status, SIGKILL);
}

TEST(TerminateProcessGroup, RefusesAnInvalidGroup) {
    EXPECT_FALSE(TerminateProcessGroup(0, std::chrono::milliseconds(0)));
    EXPECT_FALSE(TerminateProcessGroup(-1, std::chrono::milliseconds(0)));
}

}  // namespace
}  // namespace tessaro::platform
