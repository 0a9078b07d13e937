#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <sys/resource.h>

#include <chrono>
#include <cstdlib>
#include <string>

#include "cli/RunProgram.h"
#include "update/LoopbackServers.h"
#include "update/ReleaseSigning.h"

namespace tessaro::test {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

const std::string kCli = TESSARO_BIN_DIR "/tessaro-cli";
// The same program trusting the tests' publisher key.
const std::string kKeyedCli = TESSARO_BIN_DIR "/../tests/tessaro-cli-test-key";
const std::string kRefused = "could not be verified as coming from its publisher";
const std::string kPrlimit = "/usr/bin/prlimit";
constexpr bool kSanitized = TESSARO_SANITIZED;

// "tessaro-cli update --check" against nginx on loopback.
class UpdateCheck : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(nginx_.Running());
        ASSERT_TRUE(QDir().mkpath(nginx_.WwwPath("upgrade")));
    }

    void Publish(const std::string& info) {
        ASSERT_TRUE(WriteFileBytes(nginx_.WwwPath("upgrade/tessaro.inf"), info));
    }

    ProgramRun Check(const std::string& server, std::vector<std::string> arguments = {"--check"},
                     const std::string& program = kCli) {
        setenv("TESSARO_UPDATE_SERVER", server.c_str(), 1);
        arguments.insert(arguments.begin(), "update");
        return RunProgram(program, arguments, scratch_.path().toStdString());
    }
    ProgramRun KeyedCheck() { return Check(nginx_.Url(""), {"--check"}, kKeyedCli); }
    // A check whose address space is limited, where sanitizers, which reserve
    // terabytes of it, are not in the way.
    ProgramRun LimitedCheck(const std::string& server) {
        if (kSanitized) return Check(server);
        setenv("TESSARO_UPDATE_SERVER", server.c_str(), 1);
        return RunProgram(kPrlimit, {"--as=1073741824", "--", kCli, "update", "--check"},
                          scratch_.path().toStdString());
    }
    QString Info() const { return nginx_.WwwPath("upgrade/tessaro.inf"); }

    TNginxServer nginx_{"    location / { }"};
    QTemporaryDir scratch_;
};

TEST_F(UpdateCheck, ANewerReleaseIsNamedWithItsNote) {
    Publish("#version=1.2.1.3\r\n#url=" + nginx_.Url("/upgrade/tessaro/tessaro") +
            "\r\n#message={Faster start-up.\r\nFixed the settings dialog.}\r\n");
    // A trailing "/" on the server is ignored.
    const ProgramRun run = Check(nginx_.Url("/"));
    EXPECT_EQ(run.exitCode, 100) << run.err;
    EXPECT_THAT(run.out, HasSubstr("1.2.1.3"));
    EXPECT_THAT(run.out, HasSubstr("running 1.2.1.2"));
    EXPECT_THAT(run.out, HasSubstr("Faster start-up.\nFixed the settings dialog."));
    // This build has no key: it may tell, never install.
    EXPECT_THAT(run.out, HasSubstr("cannot verify this release"));
}

TEST_F(UpdateCheck, AKeyedBuildBelievesOnlyASignedInfoFile) {
    const std::string info =
        "#version=1.2.1.3\r\n#url=" + nginx_.Url("/upgrade/tessaro/x") + "\r\n";
    Publish(info);
    ProgramRun run = KeyedCheck();
    EXPECT_EQ(run.exitCode, 1) << "no signature";
    EXPECT_THAT(run.err, HasSubstr(kRefused));

    ASSERT_TRUE(SignReleaseFile(Info(), "tessaro.inf", "1.2.1.3"));
    run = KeyedCheck();
    EXPECT_EQ(run.exitCode, 100) << run.err;
    EXPECT_THAT(run.out, Not(HasSubstr("cannot verify")));

    // Changed after signing.
    Publish("#version=1.2.1.4\r\n#url=" + nginx_.Url("/upgrade/tessaro/x") + "\r\n");
    run = KeyedCheck();
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_THAT(run.err, HasSubstr(kRefused));

    // A genuine signature of another file.
    Publish(info);
    ASSERT_TRUE(SignReleaseFile(Info(), "update.inf", "1.2.1.3"));
    run = KeyedCheck();
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_THAT(run.err, HasSubstr("refused:"));

    // A signed older release is simply not newer.
    Publish("#version=1.2.1.1\r\n#url=" + nginx_.Url("/upgrade/tessaro/x") + "\r\n");
    ASSERT_TRUE(SignReleaseFile(Info(), "tessaro.inf", "1.2.1.1"));
    run = KeyedCheck();
    EXPECT_EQ(run.exitCode, 0) << run.err;
}

TEST_F(UpdateCheck, UpToDateWhenTheReleaseIsNotNewerOrListsNoFile) {
    for (const std::string info :
         {"#version=1.2.1.2\r\n#url=http://h/x\r\n", "#version=1.2.1.1\r\n#url=http://h/x\r\n",
          "#version=1.2.1.3\r\n#message={No files.}\r\n"}) {
        Publish(info);
        const ProgramRun run = Check(nginx_.Url(""));
        EXPECT_EQ(run.exitCode, 0) << info << run.err;
        EXPECT_THAT(run.out, HasSubstr("Tessaro 1.2.1.2 is up to date")) << info;
    }
}

TEST_F(UpdateCheck, AFailedCheckSaysWhyAndExitsOne) {
    ProgramRun run = Check(nginx_.Url(""));  // nothing published
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_THAT(run.err, HasSubstr("File which contains upgrade information was not found"));
    EXPECT_TRUE(run.out.empty());

    run = Check("http://127.0.0.1:" + std::to_string(FreeLoopbackPort()));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_THAT(run.err, HasSubstr("Host http://127.0.0.1 unreachable."));
}

struct MisbehaviourCase {
    std::string server;  // path on the misbehaving test server
    std::string says;
};

// Under the limits an ordinary user's session may set, each check ends soon, as a failure.
TEST_F(UpdateCheck, AMisbehavingServerFailsTheCheckInTimeWithBoundedMemory) {
    const TLoopbackServer server;
    ASSERT_NE(server.Port(), 0);
    setenv("TESSARO_UPDATE_STALL_TIMEOUT_MS", "500", 1);
    setenv("TESSARO_UPDATE_LEAST_RATE", "1000", 1);
    setenv("TESSARO_UPDATE_CHECK_TIMEOUT_MS", "1500", 1);
    const std::string lost = "Connection with remote server lost.";
    const std::string tooLarge = "tessaro.inf is larger than an update may be";
    // clang-format off
    const MisbehaviourCase cases[] = {
        {"/data/100000/stall:100", lost},
        {"/data/100/hang:1", "Host http://127.0.0.1 unreachable."},
        {"/data/100000/trickle:100", lost},
        {"/data/100000/trickle:10", lost},  // within the least rate: the check's deadline
        {"/data/1000/length:4294967295", tooLarge},
        {"/data/1/endless:1", tooLarge},
        {"/data/100000/chunked:1/drop:5000", lost},
        {"/data/100000/drop:5000", lost},
        {"/loop", "redirects in a loop"},
        {"/tofile", "redirected to an address an update may not be read from"},
    };
    // clang-format on
    for (const MisbehaviourCase& row : cases) {
        SCOPED_TRACE(row.server);
        const auto start = std::chrono::steady_clock::now();
        const ProgramRun run = LimitedCheck(server.Url(row.server));
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(6));
        EXPECT_EQ(run.exitCode, 1) << run.out << run.err;
        EXPECT_THAT(run.err, HasSubstr(row.says));
        EXPECT_THAT(run.out, Not(HasSubstr("up to date")));
    }
    rusage children{};
    ::getrusage(RUSAGE_CHILDREN, &children);
    EXPECT_LT(children.ru_maxrss, 400 * 1024) << "KiB at the most of any check";
    for (const char* name : {"TESSARO_UPDATE_STALL_TIMEOUT_MS", "TESSARO_UPDATE_LEAST_RATE",
                             "TESSARO_UPDATE_CHECK_TIMEOUT_MS"})
        unsetenv(name);
}

TEST_F(UpdateCheck, WrongArgumentsExitTwo) {
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{}, {"--check", "file"}, {"--install"}}) {
        const ProgramRun run = Check(nginx_.Url(""), arguments);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_THAT(run.err, HasSubstr("tessaro-cli update --help"));
    }
}

}  // namespace
}  // namespace tessaro::test
