#include "platform/ChildProcess.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include "ProcessTestSupport.h"
#include "platform/ProcessKiller.h"

namespace tessaro::platform {
namespace {

using testing::Eventually;
using testing::TempDir;
using testing::WriteTextFile;

struct Pipe {
    Pipe() { EXPECT_EQ(::pipe2(fds, O_CLOEXEC), 0); }
    ~Pipe() {
        for (int fd : fds)
            if (fd >= 0) ::close(fd);
    }
    void CloseWriteEnd() {
        ::close(fds[1]);
        fds[1] = -1;
    }
    std::string ReadAll() {
        std::string text;
        char buffer[256];
        for (ssize_t n; (n = ::read(fds[0], buffer, sizeof buffer)) > 0;) text.append(buffer, n);
        return text;
    }
    int fds[2] = {-1, -1};
};

TEST(ChildProcess, LeadsItsOwnGroupWithOutputAndErrorInOnePipeAndNoInput) {
    TempDir dir;
    const std::string script = dir.File("show.sh");
    WriteTextFile(script,
                  "echo out; echo err >&2; cut -d' ' -f5 /proc/$$/stat; pwd; "
                  "if read line; then echo got-input; else echo no-input; fi\n");
    Pipe pipe;
    ChildProcess child;
    ASSERT_EQ(child.Start({"/bin/sh", script}, dir.Path().string(), pipe.fds[1]), 0);
    pipe.CloseWriteEnd();
    const std::string output = pipe.ReadAll();
    EXPECT_EQ(output, "out\nerr\n" + std::to_string(child.Pid()) + "\n" + dir.Path().string() +
                          "\nno-input\n");
    EXPECT_TRUE(child.Close(std::chrono::milliseconds(0)));
    EXPECT_FALSE(child.Started());
}

TEST(ChildProcess, ExitDescriptorWakesWhenTheChildEnds) {
    ChildProcess child;
    ASSERT_EQ(child.Start({"/bin/sh", "-c", "sleep 0.2"}, "", -1), 0);
    ASSERT_GE(child.ExitFd(), 0);
    EXPECT_FALSE(child.HasEnded());
    pollfd exit{child.ExitFd(), POLLIN, 0};
    ASSERT_EQ(::poll(&exit, 1, 10000), 1);
    EXPECT_TRUE(child.HasEnded());
    // Not collected yet: the id stays reserved until Close.
    EXPECT_TRUE(testing::ProcessEnded(child.Pid()));
    EXPECT_TRUE(child.Close(std::chrono::milliseconds(0)));
}

TEST(ChildProcess, ReportsAProgramThatCannotStart) {
    ChildProcess child;
    EXPECT_EQ(child.Start({"/no/such/program"}, "", -1), ENOENT);
    EXPECT_FALSE(child.Started());
    EXPECT_EQ(child.Start({}, "", -1), EINVAL);
}

TEST(ChildProcess, CloseEndsToolsTheScriptLeftBehind) {
    TempDir dir;
    const std::string sleeper = testing::MakeUniqueSleeper(dir, "zzleft");
    const std::string script = dir.File("leave.sh");
    WriteTextFile(script, "'" + sleeper + "' 30 &\necho started\n");
    Pipe pipe;
    ChildProcess child;
    ASSERT_EQ(child.Start({"/bin/sh", script}, "", pipe.fds[1]), 0);
    const pid_t group = child.Pid();
    ASSERT_TRUE(Eventually([&] { return child.HasEnded(); }));
    ASSERT_EQ(LiveGroupMembers(group).size(), 1u);
    EXPECT_TRUE(child.Close(std::chrono::milliseconds(500)));
    EXPECT_TRUE(LiveGroupMembers(group).empty());
}

}  // namespace
}  // namespace tessaro::platform
