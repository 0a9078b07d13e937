#include "platform/Folders.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include <gtest/gtest.h>

#include "ScopedEnv.h"

namespace tessaro::platform {
namespace {

namespace fs = std::filesystem;
using tessaro::testing::ScopedEnv;

class FoldersTest : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() /
                ("tessaro-folders-" + std::to_string(getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root_);
        fs::create_directories(root_ / "home");
    }
    void TearDown() override { fs::remove_all(root_); }

    fs::path root_;
};

TEST_F(FoldersTest, TempFolderPrefersTempVariable) {
    ScopedEnv temp("TEMP", "/somewhere/temp");
    EXPECT_EQ(TempFolder(), "/somewhere/temp");
}

TEST_F(FoldersTest, PrivateTempFolderIsCreatedForThisUserOnly) {
    ScopedEnv temp("TEMP", nullptr);
    ScopedEnv tmpdir("TMPDIR", root_.c_str());
    const std::string folder = TempFolder();
    EXPECT_EQ(folder, (root_ / ("tessaro-" + std::to_string(getuid()))).string());
    struct stat info {};
    ASSERT_EQ(::lstat(folder.c_str(), &info), 0);
    EXPECT_TRUE(S_ISDIR(info.st_mode));
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    EXPECT_EQ(TempFolder(), folder) << "a second call reuses the folder";
}

TEST_F(FoldersTest, PrivateTempFolderRefusesALinkPlantedInItsPlace) {
    ScopedEnv temp("TEMP", nullptr);
    ScopedEnv tmpdir("TMPDIR", root_.c_str());
    fs::create_directories(root_ / "elsewhere");
    fs::create_directory_symlink(root_ / "elsewhere",
                                 root_ / ("tessaro-" + std::to_string(getuid())));
    EXPECT_THROW(TempFolder(), std::runtime_error);
}

TEST_F(FoldersTest, PrivateTempFolderTightensLoosePermissions) {
    ScopedEnv temp("TEMP", nullptr);
    ScopedEnv tmpdir("TMPDIR", root_.c_str());
    const fs::path folder = root_ / ("tessaro-" + std::to_string(getuid()));
    fs::create_directory(folder);
    fs::permissions(folder, fs::perms::all);
    TempFolder();
    EXPECT_EQ(fs::status(folder).permissions() & fs::perms::all, fs::perms::owner_all);
}

TEST_F(FoldersTest, ProfileFolderFallsBackFromAppDataToXdgToHome) {
    ScopedEnv home("HOME", (root_ / "home").c_str());
    ScopedEnv appdata("APPDATA", nullptr);
    {
        ScopedEnv xdg("XDG_CONFIG_HOME", nullptr);
        EXPECT_EQ(ProfileFolder(), (root_ / "home" / ".config").string());
    }
    {
        ScopedEnv xdg("XDG_CONFIG_HOME", "/xdg/config");
        EXPECT_EQ(ProfileFolder(), "/xdg/config");
        ScopedEnv app("APPDATA", "/app/data");
        EXPECT_EQ(ProfileFolder(), "/app/data");
    }
}

TEST_F(FoldersTest, UserDirectoriesComeFromUserDirsFileWithHomeExpanded) {
    ScopedEnv home("HOME", (root_ / "home").c_str());
    ScopedEnv xdg("XDG_CONFIG_HOME", (root_ / "config").c_str());
    fs::create_directories(root_ / "config");
    std::ofstream(root_ / "config" / "user-dirs.dirs")
        << "# written by xdg-user-dirs-update\n"
        << "XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n"
        << "XDG_DOCUMENTS_DIR=\"/data/Dokumente\"\n"
        << "XDG_PICTURES_DIR=\"$HOME/\"\n";
    EXPECT_EQ(UserDirectory("DESKTOP"), (root_ / "home" / "Schreibtisch").string());
    EXPECT_EQ(DocumentsFolder(), "/data/Dokumente");
    EXPECT_EQ(UserDirectory("PICTURES"), (root_ / "home").string()) << "disabled entry";
    EXPECT_EQ(UserDirectory("MUSIC"), (root_ / "home").string()) << "missing entry";
}

TEST_F(FoldersTest, DocumentsFallBackToHomeWithoutUserDirsFile) {
    ScopedEnv home("HOME", (root_ / "home").c_str());
    ScopedEnv xdg("XDG_CONFIG_HOME", (root_ / "none").c_str());
    EXPECT_EQ(DocumentsFolder(), (root_ / "home").string());
}

TEST_F(FoldersTest, ProgramFolderIsTheFolderOfThisExecutable) {
    EXPECT_TRUE(fs::exists(fs::path(ProgramFolder()) / "platform_paths_tests"));
}

}  // namespace
}  // namespace tessaro::platform
