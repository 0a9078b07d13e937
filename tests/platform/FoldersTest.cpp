#include "platform/Folders.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <optional>

#include "ProcessTestSupport.h"
#include "ScopedEnv.h"
#include "platform/AnsiCodePage.h"
#include "platform/AtomicFile.h"
#include "platform/Paths.h"
#include "platform/PrivateTempFolder.h"
#include "platform/RunFolder.h"
#include "platform/TerminationCleanup.h"

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
    EXPECT_EQ(ToLowerAscii("MPEG-4 \xC3\x89T\xC3\x89"), "mpeg-4 \xC3\x89t\xC3\x89");
    EXPECT_TRUE(EqualsNoCase("MEnCoder", "mencoder"));
    EXPECT_FALSE(EqualsNoCase("mencoder", "mencoder2"));
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

int SetAsideFolders(const fs::path& root) {
    int count = 0;
    for (const auto& entry : fs::directory_iterator(root))
        count += entry.path().filename().string().find(".untrusted-") != std::string::npos;
    return count;
}

fs::perms ModeOf(const fs::path& path) {
    return fs::symlink_status(path).permissions() & fs::perms::all;
}

// What each start finds in the base folder, and what becomes of it.
enum class Found { kept, setAside, fresh };
struct TrustCase {
    const char* what;
    std::function<void(const fs::path& usual, const fs::path& base)> prepare;
    Found expected;
};

void CheckTrust(const TrustCase& c, uid_t user) {
    SCOPED_TRACE(c.what);
    testing::TempDir base;
    const fs::path usual = base.Path() / ("tessaro-" + std::to_string(user));
    c.prepare(usual, base.Path());
    const bool heldMine = fs::exists(usual / "mine.txt");
    const PrivateTempFolder folder = MakePrivateTempFolder(base.Path().string(), user);
    const bool kept = c.expected == Found::kept;
    EXPECT_EQ(folder.path == usual.string(), c.expected != Found::fresh) << folder.path;
    EXPECT_EQ(fs::exists(usual / "mine.txt"), heldMine && kept) << "kept with what is in it";
    EXPECT_EQ(SetAsideFolders(base.Path()), c.expected == Found::setAside ? 1 : 0);
    EXPECT_EQ(folder.notice.empty(), c.expected != Found::fresh) << folder.notice;
    if (c.expected == Found::fresh) return;
    EXPECT_TRUE(fs::is_directory(fs::symlink_status(usual)));
    EXPECT_EQ(ModeOf(usual), fs::perms::owner_all);
}

void MakeOwn(const fs::path& usual, fs::perms mode) {
    fs::create_directory(usual);
    testing::WriteTextFile((usual / "mine.txt").string(), "mine");
    fs::permissions(usual, mode);
}

TEST(PrivateTempFolder, IsTrustedByItsOwnerModeAndEntriesOnly) {
    const uid_t me = ::getuid();
    const TrustCase cases[] = {
        {"own, 0700", [](auto& usual, auto&) { MakeOwn(usual, fs::perms::owner_all); },
         Found::kept},
        {"readable by others, tightened",
         [](auto& usual, auto&) {
             MakeOwn(usual, fs::perms::owner_all | fs::perms::group_read | fs::perms::others_exec);
         },
         Found::kept},
        {"missing", [](auto&, auto&) {}, Found::kept},
        {"mode 0777", [](auto& usual, auto&) { MakeOwn(usual, fs::perms::all); }, Found::setAside},
        {"a link", [](auto& usual, auto& base) { fs::create_directory_symlink(base, usual); },
         Found::setAside},
        {"a file", [](auto& usual, auto&) { testing::WriteTextFile(usual.string(), "x"); },
         Found::setAside},
    };
    for (const TrustCase& c : cases) CheckTrust(c, me);
}

TEST(PrivateTempFolder, ANameAnotherUserHoldsGivesAFreshFolderOnceAndSaysSo) {
    // Everything this test makes belongs to someone else in the eyes of `other`.
    const uid_t other = ::getuid() + 1;
    testing::TempDir base;
    const fs::path usual = base.Path() / ("tessaro-" + std::to_string(other));
    fs::create_directory(usual);
    const PrivateTempFolder first = MakePrivateTempFolder(base.Path().string(), other);
    EXPECT_THAT(first.path, ::testing::StartsWith(usual.string() + "-"));
    EXPECT_THAT(first.notice, ::testing::AllOf(::testing::HasSubstr("belongs to another user"),
                                               ::testing::HasSubstr(first.path)));
    EXPECT_EQ(SetAsideFolders(base.Path()), 0) << "another user's folder is never touched";
    const PrivateTempFolder missing = MakePrivateTempFolder(base.File("missing"), other);
    EXPECT_EQ(missing.path, "");
    EXPECT_THAT(missing.notice, ::testing::HasSubstr("missing"));
}

TEST(TempFolder, TakesTempOnlyWhenNoOneElseCanWriteThere) {
    testing::TempDir root;
    const std::string mine = root.File("mine"), shared = root.File("shared");
    fs::create_directory(mine);
    fs::create_directory(shared);
    fs::permissions(shared, fs::perms::all | fs::perms::sticky_bit);
    const std::string usual = "tessaro-" + std::to_string(::getuid());
    const std::pair<std::string, std::string> cases[] = {
        {mine, mine}, {shared, shared + "/" + usual}, {root.File("gone"), root.File(usual)}};
    const ScopedEnv tmpdir("TMPDIR", root.Path().c_str());
    for (const auto& [temp, expected] : cases) {
        const ScopedEnv variable("TEMP", temp.c_str());
        EXPECT_EQ(TempFolder(), expected) << temp;
    }
    const ScopedEnv noTemp("TEMP", nullptr);
    // The system's /tmp belongs to root: normal, and no reason to set anything aside.
    const ScopedEnv systemTmp("TMPDIR", "/tmp");
    const int setAsideBefore = SetAsideFolders("/tmp");
    EXPECT_EQ(TempFolder(), TempFolder());
    EXPECT_EQ(SetAsideFolders("/tmp"), setAsideBefore);
}

TEST(TempFolderAsRoot, AFolderHoldingAnotherUsersEntryIsSetAside) {
    if (::geteuid() != 0) GTEST_SKIP() << "planting another user's entry needs root";
    const TrustCase planted = {"another user's link inside",
                               [](auto& usual, auto&) {
                                   MakeOwn(usual, fs::perms::owner_all);
                                   fs::create_symlink("/etc/passwd", usual / "2.txt");
                                   ASSERT_EQ(::lchown((usual / "2.txt").c_str(), 65534, 65534), 0);
                               },
                               Found::setAside};
    CheckTrust(planted, ::getuid());
    const TrustCase squatted = {"squatted by another user",
                                [](auto& usual, auto&) {
                                    fs::create_directory(usual);
                                    ASSERT_EQ(::chown(usual.c_str(), 65534, 65534), 0);
                                },
                                Found::fresh};
    CheckTrust(squatted, ::getuid());
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

TEST(TerminationCleanup, ATerminatedToolLeavesNoHalfWrittenFileBehind) {
    testing::TempDir dir;
    const std::string target = dir.File("copy.avi");
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            EnableTerminationCleanup();
            std::string sibling;
            const int fd = CreateFileBeside(target, 0600, sibling);
            if (fd < 0 || ::write(fd, "half", 4) != 4) ::_exit(2);
            ::raise(signal);
            ::_exit(3);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFSIGNALED(status)) << status;
        EXPECT_EQ(WTERMSIG(status), signal) << "it still ends by the signal";
        EXPECT_TRUE(fs::is_empty(dir.Path())) << "signal " << signal;
    }
}

TEST(RunFolder, EachRunGetsAPrivateFolderAndTheNextRunClearsWhatOthersLeft) {
    testing::TempDir base;
    std::string error;
    std::optional<RunFolder> first = RunFolder::Create(base.Path().string(), "cli", &error);
    std::optional<RunFolder> second = RunFolder::Create(base.Path().string(), "cli", &error);
    ASSERT_TRUE(first) << error;
    ASSERT_TRUE(second) << error;
    EXPECT_NE(first->Path(), second->Path());
    EXPECT_TRUE(first->Path().ends_with("/run-cli-" + first->Tag()));
    EXPECT_EQ(fs::status(first->Path()).permissions() & fs::perms::all, fs::perms::owner_all);
    testing::WriteTextFile(first->Path() + "/failed-1.txt", "why");
    const std::string kept = first->Path(), removed = second->Path();
    first->Keep();
    first.reset();
    second.reset();
    EXPECT_TRUE(fs::exists(kept + "/failed-1.txt"));
    EXPECT_FALSE(fs::exists(removed));
    {
        std::optional<RunFolder> busy = RunFolder::Create(base.Path().string(), "cli", &error);
        std::optional<RunFolder> window = RunFolder::Create(base.Path().string(), "window", &error);
        ASSERT_TRUE(busy) << error;
        ASSERT_TRUE(window) << error;
        window->Keep();
        EXPECT_FALSE(fs::exists(kept)) << "removed by the next run of the same front end";
        std::optional<RunFolder> next = RunFolder::Create(base.Path().string(), "cli", &error);
        EXPECT_TRUE(fs::exists(busy->Path())) << "a run still going on keeps its folder";
        EXPECT_TRUE(fs::exists(window->Path())) << "another front end's log stays";
    }
    EXPECT_FALSE(RunFolder::Create(base.File("missing"), "cli", &error));
    EXPECT_NE(error.find("missing"), std::string::npos) << error;
}

TEST(AnsiCodePage, FollowsWindowsChoiceForTheLocalesLanguage) {
    const std::pair<const char*, const char*> cases[] = {
        {"ja_JP.UTF-8", "CP932"},   {"ko_KR.UTF-8", "CP949"},  {"zh_CN.UTF-8", "CP936"},
        {"zh_SG", "CP936"},         {"zh_TW.UTF-8", "CP950"},  {"zh_HK.Big5-HKSCS", "CP950"},
        {"ru_RU.KOI8-R", "CP1251"}, {"uk_UA.UTF-8", "CP1251"}, {"bg_BG", "CP1251"},
        {"sr_RS", "CP1251"},        {"sr_RS@latin", "CP1250"}, {"uz_UZ@cyrillic", "CP1251"},
        {"pl_PL.UTF-8", "CP1250"},  {"cs_CZ", "CP1250"},       {"el_GR.UTF-8", "CP1253"},
        {"tr_TR.UTF-8", "CP1254"},  {"he_IL.UTF-8", "CP1255"}, {"ar_EG.UTF-8", "CP1256"},
        {"fa_IR", "CP1256"},        {"lt_LT.UTF-8", "CP1257"}, {"vi_VN", "CP1258"},
        {"th_TH.UTF-8", "CP874"},   {"de_DE.UTF-8", "CP1252"}, {"en_US", "CP1252"},
        {"C.UTF-8", "CP1252"},      {"POSIX", "CP1252"},       {"", "CP1252"},
        {"sah_RU", "CP1251"},       {"sa_IN", "CP1252"},       {"jam_JM", "CP1252"},
    };
    for (const auto& [locale, codePage] : cases)
        EXPECT_EQ(AnsiCodePageFor(locale), codePage) << locale;
    const ScopedEnv all("LC_ALL", nullptr), type("LC_CTYPE", ""), lang("LANG", "ja_JP.UTF-8");
    EXPECT_EQ(SystemAnsiCodePage(), "CP932") << "an empty LC_CTYPE counts as unset";
    const ScopedEnv typeSet("LC_CTYPE", "ko_KR.UTF-8");
    EXPECT_EQ(SystemAnsiCodePage(), "CP949");
    const ScopedEnv allSet("LC_ALL", "el_GR");
    EXPECT_EQ(SystemAnsiCodePage(), "CP1253");
}

}  // namespace
}  // namespace tessaro::platform
