#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
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

    TNginxServer nginx_{"    location / { access_log access.log; }"};
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
         {std::vector<std::string>{"--check", "file"}, {"--install"}, {"file"}}) {
        const ProgramRun run = Check(nginx_.Url(""), arguments);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_THAT(run.err, HasSubstr("tessaro-cli update --help"));
    }
}

namespace fs = std::filesystem;

const std::string kBuildDir = TESSARO_BIN_DIR "/..";
const std::string kVersion = TESSARO_EXPECTED_VERSION;
const std::string kSystemInstall = "belongs to the system's package manager";

// Each entry of a folder with its bytes and permission bits.
using FolderState = std::map<std::string, std::pair<std::string, fs::perms>>;

FolderState StateOf(const fs::path& folder) {
    FolderState state;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        state[entry.path().filename()] = {ReadWholeFile(entry.path()),
                                          entry.status().permissions()};
    return state;
}

// The build's version with its last number one higher.
std::string NewerThan(const std::string& version) {
    const std::size_t dot = version.rfind('.');
    return version.substr(0, dot + 1) + std::to_string(std::stoi(version.substr(dot + 1)) + 1);
}
const std::string kNewerVersion = NewerThan(kVersion);

// As the system's package manager installs it: a folder of root's, run by another user.
TEST_F(UpdateCheck, AsRootASystemInstallIsToldToUseThePackageManager) {
    if (::geteuid() != 0) GTEST_SKIP() << "a folder of root's, run by another user, needs root";
    const auto readable = fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                          fs::perms::others_read | fs::perms::others_exec;
    QTemporaryDir system;
    const fs::path folder = system.filePath("tessaro").toStdString();
    fs::create_directory(folder);
    fs::permissions(system.path().toStdString(), readable);
    fs::permissions(folder, readable);
    fs::copy_file(kKeyedCli, folder / "tessaro-cli");
    fs::copy_file(TESSARO_BIN_DIR "/LangJ.ini", folder / "LangJ.ini");
    Publish("#version=9.9.9.9\r\n#url=" + nginx_.Url("/upgrade/tessaro/tessaro-cli") +
            "=tessaro-cli\r\n");
    ASSERT_TRUE(SignReleaseFile(Info(), "tessaro.inf", "9.9.9.9"));
    const FolderState before = StateOf(folder);
    setenv("TESSARO_UPDATE_SERVER", nginx_.Url("").c_str(), 1);
    const auto asNobody = [&](std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), {"--reuid=65534", "--regid=65534", "--clear-groups",
                                             (folder / "tessaro-cli").string(), "update"});
        return RunProgram("/usr/bin/setpriv", arguments, scratch_.path().toStdString());
    };
    ProgramRun run = asNobody({"--check"});
    EXPECT_EQ(run.exitCode, 100) << run.err;
    EXPECT_THAT(run.out, HasSubstr(kSystemInstall));
    run = asNobody({});
    EXPECT_EQ(run.exitCode, 1) << run.out;
    EXPECT_THAT(run.err, HasSubstr(kSystemInstall));
    const std::string requests = ReadFileBytes(nginx_.FolderPath("access.log"));
    EXPECT_THAT(requests, HasSubstr("/upgrade/tessaro.inf"));
    EXPECT_THAT(requests, Not(HasSubstr("/upgrade/tessaro/")));
    EXPECT_TRUE(StateOf(folder) == before);
}

// The build's release as scripts/publish-release.sh lays it out on nginx, which
// logs every request, made a newer one: its info file names kNewerVersion, and it
// and every file are signed again for that version, as a publisher signs. The
// program folder is the build installed with `cmake --install`, holding the
// front end that trusts the tests' key and an altered language file, so that
// both differ from the release's.
class UpdateInstall : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        nginx = std::make_unique<TNginxServer>("    location / { access_log access.log; }");
        installed = std::make_unique<QTemporaryDir>();
        const std::string scratch = installed->path().toStdString();
        const ProgramRun publish =
            RunProgram("/bin/bash",
                       {TESSARO_SOURCE_DIR "/scripts/publish-release.sh", kBuildDir,
                        nginx->WwwPath("").toStdString(), nginx->Url(""),
                        TESSARO_TEST_KEY_DIR "/publisher.key"},
                       scratch);
        ASSERT_EQ(publish.exitCode, 0) << publish.err;
        ASSERT_NO_FATAL_FAILURE(MakeTheReleaseNewer());
        const ProgramRun install = RunProgram(
            "/usr/bin/cmake", {"--install", kBuildDir, "--prefix", scratch + "/prefix"}, scratch);
        ASSERT_EQ(install.exitCode, 0) << install.err;
    }
    static void MakeTheReleaseNewer() {
        const QString info = nginx->WwwPath("upgrade/tessaro.inf");
        std::string text = ReadFileBytes(info);
        // The version line and the default release note name the version.
        for (const auto& [before, after] :
             {std::pair{"#version=", "\r\n"}, std::pair{"#message={Tessaro ", "}\r\n"}}) {
            const std::size_t at = text.find(before + kVersion + after);
            ASSERT_NE(at, std::string::npos) << before << " in\n" << text;
            text.replace(at + std::strlen(before), kVersion.size(), kNewerVersion);
        }
        ASSERT_TRUE(WriteFileBytes(info, text));
        ASSERT_TRUE(SignReleaseFile(info, "tessaro.inf", kNewerVersion));
        for (const fs::directory_entry& entry : fs::directory_iterator(Release(""))) {
            const std::string name = entry.path().filename();
            if (name.ends_with(".minisig")) continue;
            ASSERT_TRUE(SignReleaseFile(QString::fromStdString(entry.path()), name, kNewerVersion))
                << name;
        }
    }
    static void TearDownTestSuite() {
        nginx.reset();
        installed.reset();
    }

    void SetUp() override {
        ASSERT_TRUE(nginx->Running());
        fs::copy(installed->filePath("prefix/lib/tessaro").toStdString(), program);
        fs::copy_file(kKeyedCli, program / "tessaro-cli", fs::copy_options::overwrite_existing);
        std::ofstream(program / "LangJ.ini", std::ios::app) << "; altered\n";
        setenv("TESSARO_UPDATE_SERVER", nginx->Url("").c_str(), 1);
        requestsBefore = ReadFileBytes(nginx->FolderPath("access.log")).size();
    }

    ProgramRun Update(const std::string& argument = {}) {
        std::vector<std::string> arguments{"update"};
        if (!argument.empty()) arguments.push_back(argument);
        return RunProgram(program / "tessaro-cli", arguments, scratch.path().toStdString());
    }
    static std::string Release(const std::string& name) {
        return nginx->WwwPath(QString::fromStdString("upgrade/tessaro/" + name)).toStdString();
    }
    bool ReleaseFileRequested() const {
        const std::string requests = ReadFileBytes(nginx->FolderPath("access.log"));
        return requests.find("/upgrade/tessaro/", requestsBefore) != std::string::npos;
    }

    static inline std::unique_ptr<TNginxServer> nginx;
    static inline std::unique_ptr<QTemporaryDir> installed;
    QTemporaryDir scratch;
    std::size_t requestsBefore = 0;
    const fs::path program = scratch.filePath("tessaro").toStdString();
};

// The release's own front end carries the build's version, lower than the
// release's, and no key: it reports the release again and cannot install it.
TEST_F(UpdateInstall, APerUserInstallIsReplacedByTheReleaseWhoseProgramCannotVerify) {
    ProgramRun run = Update();
    ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
    EXPECT_EQ(run.out, "Updated Tessaro " + kVersion + " \u2192 " + kNewerVersion + "\n");
    EXPECT_TRUE(ReleaseFileRequested());
    const FolderState state = StateOf(program);
    const auto released = std::ranges::count_if(
        fs::directory_iterator(Release("")),
        [](const fs::directory_entry& entry) { return entry.path().extension() != ".minisig"; });
    EXPECT_EQ(static_cast<std::ptrdiff_t>(state.size()), released)
        << "no download or kept file is left";
    for (const auto& [name, file] : state) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(file.first == ReadWholeFile(Release(name))) << "not the release's file";
        EXPECT_EQ(file.second, fs::status(Release(name)).permissions());
        const bool program = name != "LangJ.ini";
        EXPECT_EQ((file.second & fs::perms::owner_exec) != fs::perms::none, program);
    }

    requestsBefore = ReadFileBytes(nginx->FolderPath("access.log")).size();
    run = Update("--check");
    EXPECT_EQ(run.exitCode, 100) << run.err;
    EXPECT_THAT(run.out, HasSubstr("A newer version is available: " + kNewerVersion + " (running " +
                                   kVersion + ")"));
    EXPECT_THAT(run.out, HasSubstr("cannot verify this release"));
    run = Update();
    EXPECT_EQ(run.exitCode, 1) << run.out;
    EXPECT_THAT(run.err, HasSubstr("no publisher key"));
    EXPECT_FALSE(ReleaseFileRequested());
    EXPECT_TRUE(StateOf(program) == state);
}

TEST_F(UpdateInstall, AnInstallTheUserCannotWriteIsRefusedBeforeAnyDownload) {
    if (::geteuid() == 0) GTEST_SKIP() << "root writes into any folder";
    fs::permissions(program, fs::perms::owner_read | fs::perms::owner_exec);
    const FolderState before = StateOf(program);
    const ProgramRun run = Update();
    fs::permissions(program, fs::perms::owner_all);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_THAT(run.err, HasSubstr("is installed where you cannot change it"));
    EXPECT_FALSE(ReleaseFileRequested());
    EXPECT_TRUE(StateOf(program) == before);
}

// A release that fails after some of its files are downloaded leaves the install as it was.
TEST_F(UpdateInstall, AFailureHalfwayChangesNothing) {
    const struct {
        const char* name;
        std::string file;     // moved aside on the server for the run
        std::string standIn;  // what takes its place, if anything
        std::string says;
    } rows[] = {
        {"a missing file", Release("fastcopy"), {}, "cannot be downloaded (HTTP status 404)"},
        {"a signature of another file", Release("charshift.minisig"), Release("avifinish.minisig"),
         "could not be verified as coming from its publisher"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const FolderState before = StateOf(program);
        fs::rename(row.file, row.file + ".aside");
        if (!row.standIn.empty()) fs::copy_file(row.standIn, row.file);
        const ProgramRun run = Update();
        fs::remove(row.file);
        fs::rename(row.file + ".aside", row.file);
        EXPECT_EQ(run.exitCode, 1) << run.out;
        EXPECT_THAT(run.err, HasSubstr(row.says));
        EXPECT_TRUE(StateOf(program) == before);
    }
}

}  // namespace
}  // namespace tessaro::test
