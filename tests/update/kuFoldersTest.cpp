#include "update/utils/kuFolders.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "../platform/ScopedEnv.h"

namespace tessaro {
namespace {

using testing::ScopedEnv;

std::string ExpectedApplicationFolder() {
    return std::filesystem::read_symlink("/proc/self/exe").parent_path().string() + "/";
}

TEST(ApplicationFolder, IsTheFolderOfTheRunningProgram) {
    EXPECT_EQ(ApplicationFolder(), ExpectedApplicationFolder());
    EXPECT_EQ(ApplicationFileName(), std::filesystem::read_symlink("/proc/self/exe").string());
}

TEST(GetTempDir, UsesAnExistingTempFolderElseTheApplicationFolder) {
    QTemporaryDir temp;
    ASSERT_TRUE(temp.isValid());
    {
        const ScopedEnv env("TEMP", temp.path().toUtf8().constData());
        EXPECT_EQ(GetTempDir(), temp.path().toStdString() + "/");
    }
    const ScopedEnv missing("TEMP", (temp.path() + "/missing").toUtf8().constData());
    EXPECT_EQ(GetTempDir(), ApplicationFolder());
}

TEST(GetSysDir, EveryFolderEndsWithASeparatorExceptNone) {
    for (int dir = 0; dir < static_cast<int>(TkuSystemDirectory::sdNone); ++dir) {
        const std::string folder = GetSysDir(static_cast<TkuSystemDirectory>(dir));
        ASSERT_FALSE(folder.empty()) << dir;
        EXPECT_EQ(folder.back(), '/') << dir;
        EXPECT_EQ(folder.front(), '/') << dir;
    }
    EXPECT_EQ(GetSysDir(TkuSystemDirectory::sdNone), "");
    EXPECT_EQ(GetSysDir(TkuSystemDirectory::sdWindowsDir), GetWindowsDir());
    EXPECT_EQ(GetSysDir(TkuSystemDirectory::sdSystemDir), GetSystemDir());
}

TEST(GetSysDir, UserFoldersComeFromTheXdgSettings) {
    QTemporaryDir config;
    ASSERT_TRUE(config.isValid());
    std::ofstream(config.filePath("user-dirs.dirs").toStdString())
        << "XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\nXDG_PICTURES_DIR=\"/srv/pictures\"\n";
    const ScopedEnv home("HOME", "/home/tester");
    const ScopedEnv xdg("XDG_CONFIG_HOME", config.path().toUtf8().constData());
    const ScopedEnv appData("APPDATA", "/data/appdata");
    EXPECT_EQ(GetSysDir(TkuSystemDirectory::sdDesktop), "/home/tester/Schreibtisch/");
    EXPECT_EQ(GetSysDir(TkuSystemDirectory::sdMyPictures), "/srv/pictures/");
    EXPECT_EQ(GetSysDir(TkuSystemDirectory::sdMyDocuments), "/home/tester/");
    EXPECT_EQ(GetSysDir(TkuSystemDirectory::sdAppData), "/data/appdata/");
}

TEST(ExpandToRealPath, TempMacroKeepsTheDoubledSeparatorAndIsNotPrefixed) {
    QTemporaryDir temp;
    const ScopedEnv env("TEMP", temp.path().toUtf8().constData());
    EXPECT_EQ(ExpandToRealPath("%TEMP%/x.dat", true), temp.path().toStdString() + "//x.dat");
}

TEST(ExpandToRealPath, RelativePathsGetTheApplicationFolder) {
    EXPECT_EQ(ExpandToRealPath("sub/x.dat", true), ExpectedApplicationFolder() + "sub/x.dat");
    EXPECT_EQ(ExpandToRealPath("x", true), ExpectedApplicationFolder() + "x");
    EXPECT_EQ(ExpandToRealPath("sub/x.dat", false), "sub/x.dat");
    EXPECT_EQ(ExpandToRealPath("/abs/x.dat", true), "/abs/x.dat");
    EXPECT_EQ(ExpandToRealPath("", true), "");
}

TEST(ExpandToRealPath, EveryMacroMatchesWithoutCaseAndEveryTime) {
    struct MacroCase {
        const char* macro;
        TkuSystemDirectory dir;
    };
    const MacroCase macros[] = {
        {"%current%", TkuSystemDirectory::sdCurrentDir},
        {"%Desktop%", TkuSystemDirectory::sdDesktop},
        {"%MYDOCUMENTS%", TkuSystemDirectory::sdMyDocuments},
        {"%mypictures%", TkuSystemDirectory::sdMyPictures},
        {"%AppData%", TkuSystemDirectory::sdAppData},
        {"%programfiles%", TkuSystemDirectory::sdProgramFiles},
        {"%Windows%", TkuSystemDirectory::sdWindowsDir},
        {"%SYSTEM%", TkuSystemDirectory::sdSystemDir},
        {"%temp%", TkuSystemDirectory::sdTempDir},
        {"%help%", TkuSystemDirectory::sdHelpDir},
        {"%media%", TkuSystemDirectory::sdMediaDir},
        {"%cursors%", TkuSystemDirectory::sdCursorsDir},
    };
    for (const MacroCase& c : macros) {
        const std::string folder = GetSysDir(c.dir);
        EXPECT_EQ(ExpandToRealPath(std::string(c.macro) + "f", false), folder + "f") << c.macro;
        EXPECT_EQ(ExpandToRealPath(std::string(c.macro) + "|" + c.macro, false),
                  folder + "|" + folder)
            << c.macro;
    }
    EXPECT_EQ(ExpandToRealPath("%unknown%/f", false), "%unknown%/f");
}

TEST(CreateDirectory, CreatesEveryFolderUpToTheLastSeparator) {
    QTemporaryDir temp;
    const std::string base = temp.path().toStdString();
    EXPECT_TRUE(CreateDirectory(base + "/a/b/c/file.txt"));
    EXPECT_TRUE(IsDirectoryExists(base + "/a/b/c"));
    EXPECT_FALSE(std::filesystem::exists(base + "/a/b/c/file.txt"));
    EXPECT_TRUE(CreateDirectory(base + "/a/b/c/file.txt"));
    EXPECT_TRUE(CreateDirectory(base + "/d/e/"));
    EXPECT_TRUE(IsDirectoryExists(base + "/d/e"));
}

TEST(CreateDirectory, APathWithoutFolderOrBlockedByAFileCreatesNothing) {
    QTemporaryDir temp;
    const std::string base = temp.path().toStdString();
    EXPECT_FALSE(CreateDirectory("just-a-name.txt"));
    std::ofstream(base + "/file") << "x";
    EXPECT_FALSE(CreateDirectory(base + "/file/sub/x.txt"));
    EXPECT_FALSE(std::filesystem::exists(base + "/file/sub"));
}

TEST(IsDirectoryExists, OnlyForFolders) {
    QTemporaryDir temp;
    const std::string base = temp.path().toStdString();
    std::ofstream(base + "/file") << "x";
    EXPECT_TRUE(IsDirectoryExists(base));
    EXPECT_TRUE(IsDirectoryExists(base + "/"));
    EXPECT_FALSE(IsDirectoryExists(base + "/file"));
    EXPECT_FALSE(IsDirectoryExists(base + "/missing"));
    EXPECT_FALSE(IsDirectoryExists(""));
}

}  // namespace
}  // namespace tessaro
