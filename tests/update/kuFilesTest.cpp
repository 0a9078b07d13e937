#include "update/utils/kuFileAttributes.h"
#include "update/utils/kuFileTimes.h"
#include "update/utils/kuFolders.h"
#include "update/utils/kuStreams.h"

#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <QBuffer>
#include <QDateTime>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "../platform/ScopedEnv.h"

namespace tessaro {
namespace {

using testing::ScopedEnv;
using Dir = TkuSystemDirectory;
using Attr = TkuFileAttribute;

class FilesTest : public ::testing::Test {
protected:
    std::string MakeFile(const std::string& name, const std::string& content = "x") {
        std::ofstream(Path(name), std::ios::binary) << content;
        return Path(name);
    }
    std::string Path(const std::string& name) const {
        return dir_.path().toStdString() + "/" + name;
    }
    QTemporaryDir dir_;
    ScopedEnv temp_{"TEMP", dir_.path().toUtf8().constData()};
};

std::string ProgramFolder() {
    return std::filesystem::read_symlink("/proc/self/exe").parent_path().string() + "/";
}

TEST_F(FilesTest, SystemFoldersEndInASeparatorAndTheTempFolderMustExist) {
    for (int dir = 0; dir < static_cast<int>(Dir::sdNone); ++dir)
        EXPECT_EQ(GetSysDir(static_cast<Dir>(dir)).back(), '/') << dir;
    EXPECT_EQ(GetSysDir(Dir::sdNone), "");
    EXPECT_EQ(GetTempDir(), Path(""));
    // A TEMP that is not there is a base like any other; then TMPDIR is.
    const ScopedEnv missing("TEMP", Path("missing").c_str()), base("TMPDIR", Path("").c_str());
    EXPECT_EQ(GetTempDir(), Path("tessaro-" + std::to_string(::getuid()) + "/"));
    const ScopedEnv noBase("TMPDIR", Path("missing").c_str()),
        noRuntime("XDG_RUNTIME_DIR", nullptr);
    EXPECT_EQ(GetTempDir(), ProgramFolder()) << "no private folder anywhere";
}

TEST_F(FilesTest, ExpandToRealPathReplacesMacrosWithoutCaseAndPrefixesRelativePaths) {
    EXPECT_EQ(ExpandToRealPath("%TEMP%/x.dat", true), Path("/x.dat"));
    EXPECT_EQ(ExpandToRealPath("sub/x.dat", true), ProgramFolder() + "sub/x.dat");
    EXPECT_EQ(ExpandToRealPath("sub/x.dat", false), "sub/x.dat");
    EXPECT_EQ(ExpandToRealPath("/abs/x.dat", true), "/abs/x.dat");
    EXPECT_EQ(ExpandToRealPath("", true) + ExpandToRealPath("%unknown%/f", false), "%unknown%/f");
    const std::pair<const char*, Dir> macros[] = {{"%current%", Dir::sdCurrentDir},
                                                  {"%Desktop%", Dir::sdDesktop},
                                                  {"%MYDOCUMENTS%", Dir::sdMyDocuments},
                                                  {"%mypictures%", Dir::sdMyPictures},
                                                  {"%AppData%", Dir::sdAppData},
                                                  {"%programfiles%", Dir::sdProgramFiles},
                                                  {"%Windows%", Dir::sdWindowsDir},
                                                  {"%SYSTEM%", Dir::sdSystemDir},
                                                  {"%temp%", Dir::sdTempDir},
                                                  {"%help%", Dir::sdHelpDir},
                                                  {"%media%", Dir::sdMediaDir},
                                                  {"%cursors%", Dir::sdCursorsDir}};
    for (const auto& [macro, dir] : macros)
        EXPECT_EQ(ExpandToRealPath(std::string(macro) + "|" + macro, false),
                  GetSysDir(dir) + "|" + GetSysDir(dir))
            << macro;
}

TEST_F(FilesTest, CreateDirectoryCreatesEveryFolderUpToTheLastSeparatorOnly) {
    EXPECT_TRUE(CreateDirectory(Path("a/b/c/file.txt")));
    EXPECT_TRUE(IsDirectoryExists(Path("a/b/c/")));
    EXPECT_FALSE(std::filesystem::exists(Path("a/b/c/file.txt")));
    EXPECT_FALSE(CreateDirectory("just-a-name.txt"));
    EXPECT_FALSE(CreateDirectory(MakeFile("file") + "/sub/x.txt"));
    EXPECT_FALSE(IsDirectoryExists(Path("file")) || IsDirectoryExists(""));
}

// A local date-time of a UTC instant, counted with Qt's zone data.
TDateTime LocalOf(std::int64_t secondsSinceEpoch) {
    const QDateTime local = QDateTime::fromSecsSinceEpoch(secondsSinceEpoch).toLocalTime();
    return static_cast<double>(QDate(1899, 12, 30).daysTo(local.date())) +
           local.time().msecsSinceStartOfDay() / 86'400'000.0;
}

struct stat StatOf(const std::string& path) {
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info;
}

TEST_F(FilesTest, SetFileTimesSetsTheGivenTimesAndLeavesThoseGivenAsMinusOne) {
    const std::string file = MakeFile("t.txt");
    constexpr std::int64_t modified = 1'425'445'568;  // even seconds survive the DOS form
    ASSERT_TRUE(SetFileTimes(file, -1, LocalOf(modified), LocalOf(modified + 3)));
    EXPECT_EQ(StatOf(file).st_mtim.tv_sec, modified);
    EXPECT_EQ(StatOf(file).st_atim.tv_sec, modified + 2);
    ASSERT_TRUE(SetFileTimes(file, LocalOf(modified + 100), -1, LocalOf(modified + 100)));
    EXPECT_EQ(StatOf(file).st_mtim.tv_sec, modified);
    EXPECT_EQ(StatOf(file).st_atim.tv_sec, modified + 100);
    EXPECT_FALSE(SetFileTimes(Path("missing"), -1, 40000, 40000));
}

TEST_F(FilesTest, ExtractFileSizeGivesBytesOrMinusOne) {
    const std::string big = MakeFile("big", "");
    ASSERT_EQ(::truncate(big.c_str(), 5LL << 30), 0);
    EXPECT_EQ(ExtractFileSize(big), 5LL << 30);
    EXPECT_EQ(ExtractFileSize(Path("missing")) + ExtractFileSize(Path("")), -2);
}

TEST_F(FilesTest, ReadOnlyIsThePermissionAndTheRestTheDosAttribute) {
    const std::string file = MakeFile("ro");
    ASSERT_EQ(::chmod(file.c_str(), 0664), 0);
    ASSERT_TRUE(SetFileAttr(file, {Attr::atrReadOnly}));
    EXPECT_EQ(StatOf(file).st_mode & 0777, 0444u);
    ASSERT_TRUE(SetFileAttr(file, {}));
    EXPECT_EQ(StatOf(file).st_mode & 0777, 0644u);
    TkuFileAttributes read = {Attr::atrSystem};
    EXPECT_FALSE(GetFileAttr(Path("missing"), read) || SetFileAttr(Path("missing"), {}));
    EXPECT_EQ(read, TkuFileAttributes{Attr::atrSystem});
    if (::setxattr(file.c_str(), "user.probe", "1", 1, 0) != 0)
        GTEST_SKIP() << "no user extended attributes here";
    const TkuFileAttributes set = {Attr::atrHidden, Attr::atrArchive, Attr::atrReadOnly,
                                   Attr::atrTemporary};
    ASSERT_TRUE(SetFileAttr(file, set));
    char text[32] = {};
    EXPECT_EQ(::getxattr(file.c_str(), "user.DOSATTRIB", text, sizeof text - 1), 5);
    EXPECT_STREQ(text, "0x122");
    ASSERT_TRUE(GetFileAttr(file, read));
    EXPECT_EQ(read, set);
    ASSERT_TRUE(SetFileAttr(file, {}));
    EXPECT_EQ(::getxattr(file.c_str(), "user.DOSATTRIB", text, sizeof text), -1);
}

TEST(Streams, ResourceBytesAreAppendedToWritableStreamsAndReadBackFromThePosition) {
    QBuffer stream;
    stream.open(QIODevice::ReadWrite);
    EXPECT_FALSE(LoadResourceToStream("HELPER", "KUUPG", nullptr));
    EXPECT_FALSE(LoadResourceToStream("NOPE", "KUUPG", &stream));
    EXPECT_FALSE(LoadResourceToStream("EMPTY", "KUUPG", &stream));
    EXPECT_EQ(stream.size(), 0);
    stream.write("head:");
    stream.seek(0);
    ASSERT_TRUE(LoadResourceToStream("HELPER", "KUUPG", &stream));
    EXPECT_EQ(stream.data(), QByteArray("head:helper image bytes\n"));
    ASSERT_TRUE(stream.seek(2));
    EXPECT_EQ(StreamToString(&stream), "ad:helper image bytes\n");
    EXPECT_EQ(StreamToString(&stream) + StreamToString(nullptr), "");
    QBuffer readOnly;
    readOnly.open(QIODevice::ReadOnly);
    EXPECT_FALSE(LoadResourceToStream("HELPER", "KUUPG", &readOnly));
}

}  // namespace
}  // namespace tessaro
