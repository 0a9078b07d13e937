#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "LoopbackServers.h"
#include "ScriptedRenovatorDialogs.h"
#include "ThreadTestSupport.h"
#include "platform/ChildProcess.h"
#include "update/renovator/kuRenovator.h"
#include "update/utils/kuEnvironment.h"

namespace tessaro::test {
namespace {

using enum TkuRenovatorShowMessage;

// The marker of the copy of this program that runs in its own network namespace.
constexpr const char* kInPrivateNetwork = "--in-private-network";

bool InPrivateNetwork() {
    return QCoreApplication::arguments().contains(kInPrivateNetwork);
}

// Runs the program to its end (at most 60 s); its wait status, -1 when it did not end.
int RunToEnd(const std::vector<std::string>& argv, int outputFd = -1) {
    platform::ChildProcess child;
    if (child.Start(argv, {}, outputFd) != 0) return -1;
    const auto deadline = std::chrono::steady_clock::now() + 60s;
    while (!child.HasEnded() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(5ms);
    const bool ended = child.HasEnded();
    child.Close(1s);
    return ended ? child.ExitStatus() : -1;
}

bool Ip(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), "/usr/sbin/ip");
    return RunToEnd(arguments) == 0;
}

// The machine's first network beyond loopback: a virtual Ethernet pair with an
// address, which an ordinary user may make in a namespace of its own.
bool GoOnline() {
    return Ip({"link", "add", "t0", "type", "veth", "peer", "name", "t1"}) &&
           Ip({"addr", "add", "10.9.9.9/24", "dev", "t0"}) && Ip({"link", "set", "t1", "up"}) &&
           Ip({"link", "set", "t0", "up"});
}

// An engine that checks automatically every 100 ms, with its events and dialogs in a log.
struct TAutoCheckingEngine {
    std::vector<std::string> log;
    TScriptedRenovatorDialogs dialogs{log};
    TkuRenovator engine;

    explicit TAutoCheckingEngine(const std::string& infoFileURL) {
        engine.SetDialogs(&dialogs);
        engine.SetShowMessages({mHostUnreachable, mNoUpdateAvailable, mNoInfoFile});
        engine.SetInfoFileURL(infoFileURL);
        engine.OnNoUpdateAvailable = [this](QObject*) { log.push_back("NoUpdate"); };
        engine.OnHostUnreachable = [this](QObject*, const std::string&, const std::string&) {
            log.push_back("Unreachable");
        };
        engine.SetAutoCheckDelay(100);
        engine.SetAutoCheck(true);
    }
    ~TAutoCheckingEngine() { engine.SetAutoCheck(false); }
    TAutoCheckingEngine(const TAutoCheckingEngine&) = delete;
    TAutoCheckingEngine& operator=(const TAutoCheckingEngine&) = delete;
};

// Runs the RenovatorPrivateNetwork tests below in a copy of this program that has a
// network namespace of its own, where the test can take the machine on and off line.
TEST(RenovatorAutoCheck, WaitsUntilTheMachineIsOnlineThenChecksOnce) {
    if (InPrivateNetwork()) GTEST_SKIP() << "this is the copy in the private network";
    if (RunToEnd({"/usr/bin/unshare", "-rn", "/bin/true"}) != 0)
        GTEST_SKIP() << "this machine gives no private network namespaces";
    QTemporaryDir dir;
    const QString outputPath = dir.filePath("child.txt");
    const int output = ::open(outputPath.toUtf8().constData(), O_WRONLY | O_CREAT, 0600);
    // The engine removes an old helper from the temporary folder: give the copy its own.
    qputenv("TEMP", dir.path().toUtf8());
    const int status =
        RunToEnd({"/usr/bin/unshare", "-rn", QCoreApplication::applicationFilePath().toStdString(),
                  "--gtest_filter=RenovatorPrivateNetwork.*", kInPrivateNetwork},
                 output);
    qunsetenv("TEMP");
    ::close(output);
    const std::string report = ReadFileBytes(outputPath);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << report;
    EXPECT_THAT(report, ::testing::HasSubstr("[  PASSED  ] 2 tests.")) << report;
}

TEST(RenovatorPrivateNetwork, OfflineTimerKeepsWaitingThenChecksOnce) {
    if (!InPrivateNetwork()) GTEST_SKIP() << "runs inside RenovatorAutoCheck";
    ASSERT_TRUE(Ip({"link", "set", "lo", "up"}));
    ASSERT_FALSE(IsOnline());
    TLoopbackServer server;
    ASSERT_NE(server.Port(), 0);
    TAutoCheckingEngine checking(server.Url("/data/64"));

    PumpFor(600ms);
    EXPECT_TRUE(server.Logged("path").empty());
    ASSERT_TRUE(GoOnline());
    ASSERT_TRUE(IsOnline());
    EXPECT_TRUE(PumpUntil([&] { return !checking.log.empty(); }));
    PumpFor(500ms);
    EXPECT_EQ(server.Logged("path"), std::vector<std::string>{"/data/64"});
    // An automatic check that finds nothing newer shows no box.
    EXPECT_EQ(checking.log, std::vector<std::string>{"NoUpdate"});
}

TEST(RenovatorPrivateNetwork, UnreachableHostDuringAnAutomaticCheckRetriesSilently) {
    if (!InPrivateNetwork()) GTEST_SKIP() << "runs inside RenovatorAutoCheck";
    if (!IsOnline()) {
        ASSERT_TRUE(GoOnline());
    }
    const std::string dead = "http://127.0.0.1:" + std::to_string(FreeLoopbackPort()) + "/u.inf";
    TAutoCheckingEngine checking(dead);

    EXPECT_TRUE(PumpUntil([&] { return checking.log.size() == 1; }));
    QElapsedTimer sinceFirst;
    sinceFirst.start();
    EXPECT_TRUE(PumpUntil([&] { return checking.log.size() == 2; }));
    // The retry waits for the timer again.
    EXPECT_GE(sinceFirst.elapsed(), 80);
    EXPECT_EQ(checking.log, (std::vector<std::string>{"Unreachable", "Unreachable"}));
}

}  // namespace
}  // namespace tessaro::test
