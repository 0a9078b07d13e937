#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>

#include "ProcessTestSupport.h"
#include "platform/ChildProcess.h"
#include "platform/ProcessKiller.h"

namespace tessaro::platform {
namespace {

using namespace std::chrono_literals;
using namespace testing;  // the project's test helpers

TEST(ChildProcess, LeadsItsOwnGroupWithOneOutputNoInputAndEndsWhatTheScriptLeftBehind) {
    TempDir dir;
    WriteTextFile(dir.File("show.sh"),
                  "sleep 0.2; echo out; echo err >&2; cut -d' ' -f5 /proc/$$/stat; pwd; "
                  "if read line; then echo got-input; else echo no-input; fi\n'" +
                      MakeUniqueSleeper(dir, "zzleft") + "' 30 &\n");
    const int output = ::open(dir.File("out").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    ChildProcess child;
    ASSERT_EQ(child.Start({"/bin/sh", dir.File("show.sh")}, dir.Path().string(), output), 0);
    ::close(output);
    const pid_t group = child.Pid();
    EXPECT_FALSE(child.HasEnded());
    pollfd exit{child.ExitFd(), POLLIN, 0};
    ASSERT_EQ(::poll(&exit, 1, 10000), 1) << "the exit descriptor wakes when the child ends";
    EXPECT_TRUE(child.HasEnded());
    EXPECT_TRUE(ProcessEnded(group)) << "not collected yet: the id stays reserved";
    EXPECT_EQ(ReadTextFile(dir.File("out")),
              "out\nerr\n" + std::to_string(group) + "\n" + dir.Path().string() + "\nno-input\n");
    ASSERT_EQ(LiveGroupMembers(group).size(), 1u);
    EXPECT_TRUE(child.Close(500ms));
    EXPECT_TRUE(LiveGroupMembers(group).empty());
    EXPECT_FALSE(child.Started());
    EXPECT_EQ(child.Start({"/no/such/program"}, "", -1), ENOENT);
    EXPECT_FALSE(child.Started());
    EXPECT_EQ(child.Start({}, "", -1), EINVAL);
}

TEST(TerminateProcessGroup, EndsTheWholeGroupButNothingOutsideIt) {
    TempDir dir;
    const std::string sleeper = MakeUniqueSleeper(dir, "zzgroup");
    OutsideProcess outside({sleeper, "30"});
    ChildProcess child;
    ASSERT_EQ(child.Start({"/bin/sh", "-c", "'" + sleeper + "' 30 & '" + sleeper + "' 30 & wait"},
                          "", -1),
              0);
    ASSERT_TRUE(Eventually([&] { return LiveGroupMembers(child.Pid()).size() == 3; }));
    const std::vector<pid_t> members = LiveGroupMembers(child.Pid());
    EXPECT_TRUE(TerminateProcessGroup(child.Pid(), 2000ms));
    EXPECT_TRUE(LiveGroupMembers(child.Pid()).empty());
    for (pid_t member : members) EXPECT_TRUE(ProcessEnded(member)) << member;
    EXPECT_TRUE(outside.Alive());
    EXPECT_TRUE(child.HasEnded());
}

TEST(TerminateProcessGroup, KillsWhatIgnoresTheRequestAfterTheGrace) {
    TempDir dir;
    const std::string ignoring = dir.File("ignoring");
    ChildProcess child;
    // The file says the shell ignores SIGTERM by now; before, it would still end by it.
    ASSERT_EQ(child.Start({"/bin/sh", "-c",
                           "trap '' TERM; : > '" + ignoring + "'; while :; do sleep 0.05; done"},
                          "", -1),
              0);
    ASSERT_TRUE(Eventually([&] { return std::filesystem::exists(ignoring); }));
    const auto started = std::chrono::steady_clock::now();
    EXPECT_TRUE(TerminateProcessGroup(child.Pid(), 200ms));
    EXPECT_GE(std::chrono::steady_clock::now() - started, 200ms);
    siginfo_t info{};
    ASSERT_EQ(::waitid(P_PID, static_cast<id_t>(child.Pid()), &info, WEXITED | WNOHANG | WNOWAIT),
              0);
    EXPECT_EQ(info.si_code, CLD_KILLED);
    EXPECT_EQ(info.si_status, SIGKILL);
    EXPECT_FALSE(TerminateProcessGroup(0, 0ms));
    EXPECT_FALSE(TerminateProcessGroup(-1, 0ms));
}

}  // namespace
}  // namespace tessaro::platform
