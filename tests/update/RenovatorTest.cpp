// The built helper on real install folders, with a compiled stand-in for the
// installed program.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "../platform/ScopedEnv.h"
#include "RenovatorTestSupport.h"
#include "update/helper/RenovatorInstall.h"
#include "update/helper/RenovatorWait.h"
#include "update/utils/kuFileAttributes.h"

namespace tessaro {
namespace {

namespace fs = std::filesystem;
using testing::Eventually;
using testing::Lines;
using testing::ModeOf;
using testing::OutsideProcess;
using testing::ReadTextFile;
using testing::RecordedProcess;
using testing::ScopedEnv;
using testing::TempDir;
using testing::WriteTextFile;
using Attr = TkuFileAttribute;

const std::string kStandIn = RENOVATOR_STAND_IN;

std::vector<std::string> SplitAtSpaces(const std::string& text) {
    std::vector<std::string> words;
    std::istringstream stream(text);
    for (std::string word; stream >> word;) words.push_back(word);
    return words;
}

class RenovatorTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(helperFolder_);
        fs::permissions(helperFolder_, fs::perms::owner_all);
        fs::copy_file(TESSARO_BIN_DIR "/Renovator4", helper_);
    }

    // A fresh install folder (with a trailing "/") holding the stand-in as "tessaro".
    std::string Install(const std::string& name, mode_t mode = 0755) {
        const std::string folder = root_.File(name) + "/";
        fs::create_directories(folder);
        PlaceProgram(folder + "tessaro", "old", mode);
        return folder;
    }
    // A copy of the stand-in that reports `tag`.
    static void PlaceProgram(const std::string& path, const std::string& tag, mode_t mode) {
        WriteTextFile(path, ReadTextFile(kStandIn) + "\n#tag:" + tag + "\n");
        ::chmod(path.c_str(), mode);
    }
    // A download as the engine leaves it: private, hidden and temporary.
    static void PlaceDownload(const std::string& path, const std::string& tag) {
        if (tag.empty()) return;
        if (tag.starts_with("text:"))
            WriteTextFile(path, tag.substr(5));
        else
            PlaceProgram(path, tag, 0600);
        ::chmod(path.c_str(), 0600);
        SetFileAttr(path, {Attr::atrHidden, Attr::atrTemporary});
    }
    void WriteQueue(const std::string& text) { WriteTextFile(queue_, text); }

    // The helper started with the command line the engine writes; the
    // program path is not quoted, so spaces split it.
    std::unique_ptr<RecordedProcess> StartHelper(const std::string& commandLine) {
        std::vector<std::string> argv = SplitAtSpaces(commandLine);
        argv.insert(argv.begin(), helper_);
        return std::make_unique<RecordedProcess>(argv, root_.File("out"), root_.File("err"));
    }
    std::unique_ptr<OutsideProcess> StartHeld(const std::string& program) {
        auto process =
            std::make_unique<OutsideProcess>(std::vector<std::string>{program, "--hold", release_});
        EXPECT_TRUE(Eventually([&] { return Logged("old --hold " + release_); }));
        return process;
    }
    void Release(OutsideProcess& program) {
        WriteTextFile(release_, "");
        program.Collect();
    }

    std::vector<std::string> Log() const { return Lines(ReadTextFile(log_)); }
    bool Logged(const std::string& line) const {
        const auto log = Log();
        return std::find(log.begin(), log.end(), line) != log.end();
    }
    std::string Tag(const std::string& path) const {
        const std::string text = ReadTextFile(path);
        const std::size_t at = text.rfind("\n#tag:");
        return at == std::string::npos ? text : text.substr(at + 6, text.size() - at - 7);
    }
    std::string Error() const { return ReadTextFile(root_.File("err")); }

    TempDir root_;
    const std::string helperFolder_ = root_.File("private");
    const std::string helper_ = helperFolder_ + "/Renovator4";
    const std::string queue_ = helperFolder_ + "/RenovatorQueue.txt";
    const std::string result_ = helperFolder_ + "/RenovatorResult.txt";
    const std::string log_ = root_.File("log");
    const std::string release_ = root_.File("release");
    ScopedEnv logEnv_{"RENOVATOR_TEST_LOG", log_.c_str()};
};

// Whether the file system keeps the hidden and archive marks at all.
bool KeepsMarks(const std::string& path) {
    TkuFileAttributes attributes;
    return GetFileAttr(path, attributes) && attributes.Contains(Attr::atrHidden);
}

TEST_F(RenovatorTest, WaitsForTheProgramThenSwapsTheReleaseAndStartsItAgain) {
    // A read-only program cannot be opened for writing even once it has
    // exited; the marks of the update then make it writable for its owner.
    const std::vector<std::pair<std::string, mode_t>> installs = {
        {"Tessaro", 0755}, {"Tessaro+", 0555}, {"My Apps/Tessaro+", 0750}};
    for (const auto& [name, mode] : installs) {
        SCOPED_TRACE(name);
        fs::remove(log_);
        fs::remove(release_);
        const std::string folder = Install(name, mode);
        fs::create_directories(folder + "docs");
        PlaceDownload(folder + "tessaro.uTMP", "new");
        PlaceDownload(folder + "charshift.uTMP", "tool");
        PlaceDownload(folder + "Lang.ini.uTMP", "text:[Lang]");
        PlaceDownload(folder + "docs/readme.txt.uTMP", "text:read me");
        PlaceDownload(folder + "LangJ.ini.uTMP", "text:[LangJ]");
        const bool marks = KeepsMarks(folder + "LangJ.ini.uTMP");
        WriteQueue(folder + "docs/readme.txt\r\n" + folder + "missing.txt\r\n" + folder +
                   "LangJ.ini");
        auto program = StartHeld(folder + "tessaro");

        auto helper = StartHelper(folder + "tessaro +/afterupgrade0");
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        EXPECT_TRUE(helper->Running());
        EXPECT_TRUE(fs::exists(folder + "tessaro.uTMP"));
        EXPECT_TRUE(fs::exists(folder + "docs/readme.txt.uTMP"));

        Release(*program);
        ASSERT_EQ(helper->ExitCode(), 0) << Error();
        ASSERT_TRUE(Eventually([&] { return Logged("new /afterupgrade"); })) << Error();
        EXPECT_EQ(Tag(folder + "tessaro"), "new");
        EXPECT_EQ(ModeOf(folder + "tessaro"), mode | S_IWUSR);
        EXPECT_EQ(Tag(folder + "charshift"), "tool");
        EXPECT_EQ(ModeOf(folder + "charshift"), 0700);
        EXPECT_EQ(ReadTextFile(folder + "Lang.ini"), "[Lang]");
        EXPECT_EQ(ReadTextFile(folder + "LangJ.ini"), "[LangJ]");
        EXPECT_EQ(ReadTextFile(folder + "docs/readme.txt"), "read me");
        EXPECT_FALSE(fs::exists(folder + "missing.txt"));
        EXPECT_FALSE(fs::exists(queue_));
        for (const auto& entry : fs::recursive_directory_iterator(folder))
            EXPECT_NE(entry.path().extension(), ".uTMP") << entry.path();
        if (marks) {
            for (const std::string file : {"tessaro", "LangJ.ini", "docs/readme.txt"}) {
                TkuFileAttributes attributes;
                ASSERT_TRUE(GetFileAttr(folder + file, attributes));
                EXPECT_EQ(attributes, TkuFileAttributes{Attr::atrArchive}) << file;
            }
        }
    }
}

TEST_F(RenovatorTest, WithoutItsOwnDownloadTheProgramStaysAndEveryToolKeepsItsName) {
    const std::string folder = Install("Tessaro");
    PlaceDownload(folder + "charshift.uTMP", "tool");
    PlaceDownload(folder + "Clipwarp.exe.uTMP", "other");
    PlaceDownload(folder + "Lang.ini.uTMP", "text:[Lang]");

    ASSERT_EQ(StartHelper(folder + "tessaro +/afterupgrade0")->ExitCode(), 0) << Error();
    ASSERT_TRUE(Eventually([&] { return Logged("old /afterupgrade"); }));
    EXPECT_EQ(Tag(folder + "tessaro"), "old");
    EXPECT_EQ(ModeOf(folder + "tessaro"), 0755);
    EXPECT_EQ(Tag(folder + "charshift"), "tool");
    EXPECT_EQ(Tag(folder + "Clipwarp.exe"), "other");
    EXPECT_EQ(ReadTextFile(folder + "Lang.ini"), "[Lang]");
}

// What the wait falls back on where a program file cannot be opened for
// writing even when nobody runs it.
TEST_F(RenovatorTest, AProgramFileCountsAsRunWhileAProcessRunsIt) {
    const std::string folder = Install("Tessaro", 0555);
    EXPECT_FALSE(RunByAnyProcess(folder + "tessaro"));
    auto program = StartHeld(folder + "tessaro");
    EXPECT_TRUE(RunByAnyProcess(folder + "tessaro"));
    EXPECT_FALSE(RunByAnyProcess(kStandIn));
    EXPECT_FALSE(RunByAnyProcess(folder + "missing"));
    Release(*program);
    EXPECT_FALSE(RunByAnyProcess(folder + "tessaro"));
}

TEST_F(RenovatorTest, GivesUpOnAProgramThatStaysBusyAndReplacesNothing) {
    const ScopedEnv bound("TESSARO_RENOVATOR_WAIT_MS", "300");
    const std::string folder = Install("Tessaro");
    PlaceDownload(folder + "tessaro.uTMP", "new");
    PlaceDownload(folder + "LangJ.ini.uTMP", "text:[LangJ]");
    WriteQueue(folder + "LangJ.ini\r\n");
    auto program = StartHeld(folder + "tessaro");

    auto helper = StartHelper(folder + "tessaro +/afterupgrade0");
    EXPECT_EQ(helper->ExitCode(std::chrono::seconds(5)), 1);
    EXPECT_NE(Error().find(folder + "tessaro is still in use after 300 ms"), std::string::npos)
        << Error();
    Release(*program);
    EXPECT_EQ(Tag(folder + "tessaro"), "old");
    EXPECT_TRUE(fs::exists(folder + "tessaro.uTMP"));
    EXPECT_TRUE(fs::exists(folder + "LangJ.ini.uTMP"));
    EXPECT_FALSE(fs::exists(folder + "LangJ.ini"));
    EXPECT_TRUE(fs::exists(queue_));
    EXPECT_EQ(Log(), std::vector<std::string>{"old --hold " + release_});
    EXPECT_EQ(
        Lines(ReadTextFile(result_)),
        std::vector<std::string>{"failed\t" + folder +
                                 "tessaro is still in use after 300 ms; the downloads (.uTMP) "
                                 "stay in place and nothing is started"});
}

TEST_F(RenovatorTest, RecordsEachFileItMovedAndEachMoveThatFailed) {
    const std::string folder = Install("Tessaro");
    fs::create_directories(folder + "blocked/inside");
    PlaceDownload(folder + "blocked.uTMP", "text:blocked");
    PlaceDownload(folder + "LangJ.ini.uTMP", "text:[LangJ]");
    WriteQueue(folder + "blocked\r\n" + folder + "LangJ.ini\r\n");

    ASSERT_EQ(StartHelper(folder + "tessaro +/afterupgrade0")->ExitCode(), 0) << Error();
    const std::vector<std::string> result = Lines(ReadTextFile(result_));
    ASSERT_EQ(result.size(), 3u) << ReadTextFile(result_);
    EXPECT_EQ(result[0].rfind(
                  "failed\tCannot move " + folder + "blocked.uTMP to " + folder + "blocked: ", 0),
              0u);
    EXPECT_EQ(result[1], "moved\t" + folder + "LangJ.ini");
    // The scan tries the blocked download again.
    EXPECT_EQ(result[2].rfind("failed\tCannot move", 0), 0u);
    EXPECT_TRUE(fs::exists(folder + "blocked.uTMP"));
}

TEST_F(RenovatorTest, ExternalSetupRunsTheSetupToItsEndDeletesItAndStartsTheProgram) {
    const std::string folder = Install("Tessaro");
    PlaceDownload(folder + "setup.uTMP", "setup");
    PlaceDownload(folder + "Lang.ini.uTMP", "text:[Lang]");

    ASSERT_EQ(StartHelper(folder + "tessaro +/afterupgrade1")->ExitCode(), 0) << Error();
    ASSERT_TRUE(Eventually([&] { return Logged("old /afterupgrade"); }));
    EXPECT_EQ(Log(),
              (std::vector<std::string>{"setup /afterupgrade", "setup done", "old /afterupgrade"}));
    EXPECT_FALSE(fs::exists(folder + "setup"));
    EXPECT_EQ(Tag(folder + "tessaro"), "old");
    EXPECT_EQ(ReadTextFile(folder + "Lang.ini"), "[Lang]");
}

TEST_F(RenovatorTest, ExternalSetupWithoutASetupKeepsAndRestartsTheInstalledProgram) {
    const std::string folder = Install("Tessaro");
    PlaceDownload(folder + "Lang.ini.uTMP", "text:[Lang]");
    WriteQueue(folder + "Lang.ini\r\n");

    ASSERT_EQ(StartHelper(folder + "tessaro +/afterupgrade1")->ExitCode(), 0) << Error();
    ASSERT_TRUE(Eventually([&] { return Logged("old /afterupgrade"); }));
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(Log(), std::vector<std::string>{"old /afterupgrade"});
    EXPECT_EQ(Tag(folder + "tessaro"), "old");
    EXPECT_EQ(ModeOf(folder + "tessaro"), 0755);
    EXPECT_EQ(ReadTextFile(folder + "Lang.ini"), "[Lang]");
    EXPECT_FALSE(fs::exists(queue_));
}

TEST_F(RenovatorTest, WithoutArgumentsItOnlyTellsWhatItIs) {
    WriteQueue("/nonexistent/file\r\n");
    auto helper = StartHelper("");
    EXPECT_EQ(helper->ExitCode(), 0);
    EXPECT_EQ(ReadTextFile(root_.File("out")).rfind("Renovator v4.0\n", 0), 0u);
    EXPECT_TRUE(fs::exists(queue_));
}

// Either every download of a release is in place or every file is as it was: a file
// that cannot be replaced, after others were, puts those back and removes new ones.
TEST(RenovatorInstall, PutsEveryDownloadInPlaceOrNone) {
    const struct {
        const char* name;
        bool folderInTheWay;
        bool lastDownloadMissing;
    } rows[] = {{"all in place", false, false},
                {"a folder in the way of the last", true, false},
                {"the last download missing", false, true}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TempDir dir;
        const std::string tool = dir.File("tool"), text = dir.File("LangJ.ini"),
                          added = dir.File("added"), last = dir.File("last");
        WriteTextFile(tool, "old tool");
        fs::permissions(tool, fs::perms(0755));
        WriteTextFile(text, "old text");
        for (const std::string& destination : {tool, text, added})
            WriteTextFile(destination + ".uTMP", "new " + destination);
        if (row.folderInTheWay) fs::create_directories(last + "/inside");
        if (!row.lastDownloadMissing) WriteTextFile(last + ".uTMP", "new last");
        const bool complete = !row.folderInTheWay && !row.lastDownloadMissing;

        const std::string why = InstallAllDownloads({tool, text, added, last});
        EXPECT_EQ(why.empty(), complete) << why;
        EXPECT_EQ(ReadTextFile(tool), complete ? "new " + tool : "old tool");
        EXPECT_EQ(ModeOf(tool), 0755u);
        EXPECT_EQ(ReadTextFile(text), complete ? "new " + text : "old text");
        EXPECT_EQ(fs::exists(added), complete);
        for (const std::string& destination : {tool, text, added})
            EXPECT_FALSE(fs::exists(destination + ".uOLD")) << destination;
    }
}

}  // namespace
}  // namespace tessaro
