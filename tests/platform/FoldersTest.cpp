#include "platform/Folders.h"

#include <gtest/gtest.h>

#include "ProcessTestSupport.h"
#include "ScopedEnv.h"
#include "platform/AtomicFile.h"
#include "platform/Paths.h"

namespace tessaro::platform {
namespace {

namespace fs = std::filesystem;
using testing::ReadTextFile;
using testing::ScopedEnv;

TEST(Paths, SplitJoinAndCompareLikeTheScriptWriterExpects) {
    const char* cases[][4] = {{"/v.d/a.tar.gz", "a.tar.gz", "/v.d", ".gz"},
                              {"clip.AVI", "clip.AVI", "", ".AVI"},
                              {"/top", "top", "/", ""},
                              {"/v/.hidden", ".hidden", "/v", ".hidden"},
                              {"/v/end.", "end.", "/v", "."}};
    for (const auto& [path, name, dir, ext] : cases)
        EXPECT_EQ(std::tuple(ExtractFileName(path), ExtractFileDir(path), ExtractFileExt(path)),
                  std::tuple(name, dir, ext));
    EXPECT_EQ(JoinPath("/out", "a.avi") + JoinPath("/", "/b") + JoinPath("", "c"), "/out/a.avi/bc");
    EXPECT_EQ(StripFileExt("/a.d/m.part1.mkv") + StripFileExt("/a.d/m"), "/a.d/m.part1/a.d/m");
    EXPECT_EQ(ToLowerAscii("MPEG-4 \xC3\x89T\xC3\x89"), "mpeg-4 \xC3\x89t\xC3\x89");
    EXPECT_TRUE(EqualsNoCase("MEnCoder", "mencoder") && !EqualsNoCase("mencoder", "mencoder2"));
}

TEST(WriteFileAtomically, ReplacesWholeFilesAndNeverWritesThroughALink) {
    testing::TempDir dir;
    const std::string target = dir.File("script.sh"), victim = dir.File("victim"),
                      content("a\0b\r\n", 5);
    testing::WriteTextFile(victim, "precious");
    fs::create_symlink(victim, target);
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(target, content, 0700, &error)) << error;
    EXPECT_EQ(ReadTextFile(target), content);
    EXPECT_EQ(ReadTextFile(victim), "precious");
    EXPECT_EQ(fs::symlink_status(target).permissions() & fs::perms::all, fs::perms::owner_all);
    fs::create_directory(dir.File("sub"));
    EXPECT_FALSE(WriteFileAtomically(dir.File("sub"), "x", 0600, &error));
    EXPECT_NE(error.find("sub"), std::string::npos) << error;
    EXPECT_FALSE(WriteFileAtomically(dir.File("missing/f.txt"), "x", 0600, &error));
    EXPECT_NE(error.find("missing"), std::string::npos) << error;
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), {}), 3) << "no temporary file left";
}

TEST(TempFolder, PrefersTempElseAPrivateFolderOfThisUser) {
    testing::TempDir root;
    {
        const ScopedEnv temp("TEMP", "/somewhere/temp");
        EXPECT_EQ(TempFolder(), "/somewhere/temp");
    }
    const ScopedEnv temp("TEMP", nullptr), tmpdir("TMPDIR", root.Path().c_str());
    const fs::path folder = root.Path() / ("tessaro-" + std::to_string(::getuid()));
    const auto mode = [&] { return fs::symlink_status(folder).permissions() & fs::perms::all; };
    EXPECT_EQ(TempFolder(), folder.string());
    EXPECT_TRUE(fs::is_directory(fs::symlink_status(folder)));
    EXPECT_EQ(mode(), fs::perms::owner_all);
    fs::permissions(folder, fs::perms::all);
    EXPECT_EQ(TempFolder(), folder.string()) << "reused";
    EXPECT_EQ(mode(), fs::perms::owner_all) << "tightened";
    fs::remove(folder);
    fs::create_directory_symlink(root.Path(), folder);
    EXPECT_THROW(TempFolder(), std::runtime_error) << "a planted link is refused";
}

TEST(UserFolders, FollowAppDataXdgAndUserDirsThenHome) {
    testing::TempDir root;
    const std::string home = root.File("home");
    const ScopedEnv homeVar("HOME", home.c_str()), appdata("APPDATA", nullptr);
    {
        const ScopedEnv xdg("XDG_CONFIG_HOME", nullptr);
        EXPECT_EQ(ProfileFolder(), home + "/.config");
        EXPECT_EQ(DocumentsFolder(), home) << "no user-dirs.dirs";
    }
    const ScopedEnv xdg("XDG_CONFIG_HOME", root.Path().c_str());
    EXPECT_EQ(ProfileFolder(), root.Path().string());
    testing::WriteTextFile(root.File("user-dirs.dirs"),
                           "# by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n"
                           "XDG_DOCUMENTS_DIR=\"/data/Dokumente\"\nXDG_PICTURES_DIR=\"$HOME/\"\n");
    EXPECT_EQ(UserDirectory("DESKTOP"), home + "/Schreibtisch");
    EXPECT_EQ(DocumentsFolder(), "/data/Dokumente");
    EXPECT_EQ(UserDirectory("PICTURES"), home) << "disabled entry";
    EXPECT_EQ(UserDirectory("MUSIC"), home) << "missing entry";
    const ScopedEnv app("APPDATA", "/app/data");
    EXPECT_EQ(ProfileFolder(), "/app/data");
    EXPECT_TRUE(fs::exists(fs::path(ProgramFolder()) / "platform_paths_tests"));
}

}  // namespace
}  // namespace tessaro::platform
