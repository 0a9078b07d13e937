#include "update/helper/RenovatorCommandLine.h"
#include "update/helper/RenovatorFiles.h"
#include "update/helper/RenovatorQueue.h"

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "RenovatorTestSupport.h"

namespace tessaro {
namespace {

using testing::ModeOf;
using testing::ReadTextFile;
using testing::TempDir;
using testing::WriteTextFile;

struct CommandCase {
    std::vector<std::string> arguments;
    std::string programPath;
    std::string programFolder;
    std::string restartParameter;
    bool externalSetup;
};

TEST(RenovatorCommandLine, SplitsAtTheLastSpacePlusAndReadsTheMethodDigit) {
    const std::vector<CommandCase> cases = {
        {{"/opt/My", "Apps/app", "+/afterupgrade0"},
         "/opt/My Apps/app",
         "/opt/My Apps/",
         "/afterupgrade",
         false},
        {{"/home/u/Apps/Tessaro+/tessaro", "+/afterupgrade0"},
         "/home/u/Apps/Tessaro+/tessaro",
         "/home/u/Apps/Tessaro+/",
         "/afterupgrade",
         false},
        {{"/a/My", "+b/c+d", "+/afterupgrade1"},
         "/a/My +b/c+d",
         "/a/My +b/",
         "/afterupgrade",
         true},
        {{"/a/app", "+/x", "/y1"}, "/a/app", "/a/", "/x /y", true},
        // An empty restart parameter is stored as one space.
        {{"/a/app", "+", "0"}, "/a/app", "/a/", " ", false},
        {{"/a/app", "+0"}, "/a/app", "/a/", "", false},
        {{"/a/My", "app1"}, "/a/My app1", "/a/", "", true},
        {{"app"}, "app", "", "", false},
    };
    for (const CommandCase& c : cases) {
        const RenovatorCommand command = ParseRenovatorCommand(c.arguments);
        SCOPED_TRACE(c.programPath);
        EXPECT_EQ(command.programPath, c.programPath);
        EXPECT_EQ(command.programFolder, c.programFolder);
        EXPECT_EQ(command.restartParameter, c.restartParameter);
        EXPECT_EQ(command.externalSetup, c.externalSetup);
    }
}

TEST(RenovatorQueue, SplitsAtCrLfOnlyAndKeepsALastLineWithoutOne) {
    const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
        {"", {}},
        {"/a\r\n", {"/a"}},
        {"/a\r\n/b", {"/a", "/b"}},
        {"/a\r\n\r\n/b c\r\n", {"/a", "/b c"}},
        {"/a\n/b\r\n", {"/a\n/b"}},
    };
    for (const auto& [text, lines] : cases) EXPECT_EQ(QueueLines(text), lines) << text;
}

TEST(RenovatorFiles, ProgramFilesAreElfImagesOrExecutable) {
    TempDir dir;
    const std::string elf = dir.File("elf");
    WriteTextFile(elf, ReadTextFile(RENOVATOR_STAND_IN));
    ::chmod(elf.c_str(), 0600);
    const std::string script = dir.File("script");
    WriteTextFile(script, "#!/bin/sh\n");
    ::chmod(script.c_str(), 0700);
    const std::string text = dir.File("text");
    WriteTextFile(text,
                  "\x7f"
                  "EL");
    std::filesystem::create_symlink(elf, dir.File("link"));
    std::filesystem::create_directory(dir.File("folder"));
    ::chmod(dir.File("folder").c_str(), 0700);

    EXPECT_TRUE(IsProgramFile(elf));
    EXPECT_TRUE(IsProgramFile(script));
    EXPECT_FALSE(IsProgramFile(text));
    EXPECT_FALSE(IsProgramFile(dir.File("link")));
    EXPECT_FALSE(IsProgramFile(dir.File("folder")));
    EXPECT_FALSE(IsProgramFile(dir.File("missing")));
}

struct ModeCase {
    const char* name;
    bool elf;
    mode_t downloadMode;
    mode_t installedMode;  // 0: nothing installed yet
    mode_t expected;
};

TEST(RenovatorFiles, AReplacedFileKeepsTheInstalledModeAndAProgramBecomesExecutable) {
    const std::vector<ModeCase> cases = {
        {"program over program", true, 0600, 0755, 0755},
        {"program over read-only program", true, 0600, 0555, 0555},
        {"new program", true, 0640, 0, 0750},
        {"program over data", true, 0600, 0644, 0755},
        {"data over data", false, 0600, 0644, 0644},
        {"new data", false, 0600, 0, 0600},
        {"data over script", false, 0600, 0700, 0700},
    };
    TempDir dir;
    const std::string image = ReadTextFile(RENOVATOR_STAND_IN);
    for (const ModeCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string destination = dir.File(c.name);
        const std::string download = destination + ".uTMP";
        WriteTextFile(download, c.elf ? image : "data");
        ::chmod(download.c_str(), c.downloadMode);
        if (c.installedMode) {
            WriteTextFile(destination, "old");
            ::chmod(destination.c_str(), c.installedMode);
        }
        ASSERT_TRUE(ReplaceWithDownload(download, destination));
        EXPECT_EQ(ModeOf(destination), c.expected);
        EXPECT_EQ(ReadTextFile(destination).size(), c.elf ? image.size() : 4u);
        EXPECT_FALSE(std::filesystem::exists(download));
    }
    EXPECT_FALSE(ReplaceWithDownload(dir.File("none.uTMP"), dir.File("none")));
    EXPECT_FALSE(std::filesystem::exists(dir.File("none")));
    // Only a regular file is moved: a link planted as a download stays where it is.
    WriteTextFile(dir.File("victim"), "keep");
    std::filesystem::create_symlink(dir.File("victim"), dir.File("linked.uTMP"));
    EXPECT_FALSE(ReplaceWithDownload(dir.File("linked.uTMP"), dir.File("linked")));
    EXPECT_FALSE(std::filesystem::exists(dir.File("linked")));
    EXPECT_EQ(ReadTextFile(dir.File("victim")), "keep");
}

}  // namespace
}  // namespace tessaro
