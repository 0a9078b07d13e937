#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "ScratchFolder.h"
#include "ToolRun.h"

namespace tessaro::testing {
namespace {

const std::vector<std::string> kScriptFlags = {"/cmd=update", "/auto_close", "/force_close",
                                               "/force_start", "/log=FALSE"};

// The command line the conversion script uses.
ToolResult Fastcopy(const std::string& source, const std::string& destination,
                    const ToolLaunch& launch = {}) {
    std::vector<std::string> arguments = kScriptFlags;
    arguments.push_back(source);
    arguments.push_back("/to=" + destination);
    return RunTool("fastcopy", arguments, launch);
}

std::string RandomBytes(size_t size, unsigned seed) {
    std::mt19937 generator(seed);
    std::string bytes(size, '\0');
    for (char& byte : bytes) byte = static_cast<char>(generator());
    return bytes;
}

void SetModificationTime(const std::string& path, time_t seconds, long nanoseconds) {
    const struct timespec times[2] = {{seconds, nanoseconds}, {seconds, nanoseconds}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0) << path;
}

struct stat Status(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return info;
}

long EntriesIn(const std::string& folder) {
    return std::distance(std::filesystem::directory_iterator(folder),
                         std::filesystem::directory_iterator());
}

TEST(Fastcopy, CopiesIntoTheFolderKeepingTimeAndPermissions) {
    struct Case {
        const char* name;
        std::string folderName;
        std::string separator;
    };
    const std::vector<Case> cases = {
        {"existing folder, trailing separator", "out", "/"},
        {"existing folder, no separator", "out", ""},
        {"missing nested folders", "new/deeper", "/"},
        {"folder name with blanks and quotes", "my 'odd' folder", "/"},
    };
    for (const Case& c : cases) {
        ScratchFolder scratch;
        std::filesystem::create_directory(scratch / "out");
        const std::string source = scratch / "clip one.avi";
        const std::string content = RandomBytes(3 * 1024 * 1024 + 17, 7);
        WriteBytes(source, content);
        ASSERT_EQ(::chmod(source.c_str(), 0751), 0);
        SetModificationTime(source, 1577872800, 123456789);

        const ToolResult run = Fastcopy(source, scratch / c.folderName + c.separator);
        const std::string copy = scratch / c.folderName + "/clip one.avi";
        EXPECT_EQ(run.exitCode, 0) << c.name << ": " << run.err;
        EXPECT_EQ(run.out.rfind("Copied '" + source + "'", 0), 0u) << c.name << ": " << run.out;
        EXPECT_EQ(run.err, "") << c.name;
        EXPECT_TRUE(ReadBytes(copy) == content) << c.name;
        const struct stat info = Status(copy);
        EXPECT_EQ(info.st_mode & 0777, 0751u) << c.name;
        EXPECT_EQ(info.st_mtim.tv_sec, 1577872800) << c.name;
        EXPECT_EQ(info.st_mtim.tv_nsec, 123456789) << c.name;
        EXPECT_EQ(EntriesIn(scratch / c.folderName), 1) << c.name;
    }
}

// As onto a removable drive: the kernel cannot copy in place between file systems.
TEST(Fastcopy, CopiesAcrossFileSystems) {
    struct stat shm {};
    struct stat tmp {};
    if (::stat("/dev/shm", &shm) != 0 || ::access("/dev/shm", W_OK) != 0 ||
        ::stat(std::filesystem::temp_directory_path().c_str(), &tmp) != 0 ||
        shm.st_dev == tmp.st_dev) {
        GTEST_SKIP() << "no second writable file system at /dev/shm";
    }
    ScratchFolder memory("/dev/shm");
    ScratchFolder disk;
    const std::string source = memory / "clip.avi";
    const std::string content = RandomBytes(5 * 1024 * 1024 + 3, 5);
    WriteBytes(source, content);
    SetModificationTime(source, 1700000000, 500);
    const ToolResult run = Fastcopy(source, disk / "drive/");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(ReadBytes(disk / "drive/clip.avi") == content);
    EXPECT_EQ(Status(disk / "drive/clip.avi").st_mtim.tv_nsec, 500);
}

TEST(Fastcopy, UpdatesOnlyWhenSizeDiffersOrTheCopyIsOlder) {
    struct Case {
        const char* name;
        std::string existing;
        time_t existingTime;  // the source is dated 2000000000
        bool expectCopy;
    };
    const std::string sourceContent = "new content 1234";
    const std::vector<Case> cases = {
        {"same size, newer copy", "old content abcd", 2000000100, false},
        {"same size, same time", "old content abcd", 2000000000, false},
        {"same size, older copy", "old content abcd", 1999999999, true},
        {"other size, newer copy", "old", 2000000100, true},
        {"empty copy, newer", "", 2000000100, true},
    };
    for (const Case& c : cases) {
        ScratchFolder scratch;
        std::filesystem::create_directory(scratch / "out");
        const std::string source = scratch / "a.srt";
        const std::string copy = scratch / "out/a.srt";
        WriteBytes(source, sourceContent);
        SetModificationTime(source, 2000000000, 0);
        WriteBytes(copy, c.existing);
        SetModificationTime(copy, c.existingTime, 0);

        const ToolResult run = Fastcopy(source, scratch / "out/");
        EXPECT_EQ(run.exitCode, 0) << c.name << ": " << run.err;
        EXPECT_EQ(ReadBytes(copy), c.expectCopy ? sourceContent : c.existing) << c.name;
        const std::string expectedStart = c.expectCopy ? "Copied" : "Skipped";
        EXPECT_EQ(run.out.rfind(expectedStart, 0), 0u) << c.name << ": " << run.out;
    }
}

TEST(Fastcopy, CopyOntoItselfChangesNothing) {
    struct Case {
        const char* name;
        bool throughHardLink;
        std::string separator;
    };
    const std::vector<Case> cases = {
        {"same folder", false, "/"},
        {"same folder without separator", false, ""},
        {"hard link in the destination", true, "/"},
    };
    for (const Case& c : cases) {
        ScratchFolder scratch;
        const std::string source = scratch / "movie.avi";
        const std::string content = RandomBytes(100000, 3);
        WriteBytes(source, content);
        std::string folder = scratch.path();
        if (c.throughHardLink) {
            folder = scratch / "linked";
            std::filesystem::create_directory(folder);
            ASSERT_EQ(::link(source.c_str(), (folder + "/movie.avi").c_str()), 0);
        }
        const ToolResult run = Fastcopy(source, folder + c.separator);
        EXPECT_EQ(run.exitCode, 0) << c.name << ": " << run.err;
        EXPECT_NE(run.out.find("same file"), std::string::npos) << c.name << ": " << run.out;
        EXPECT_TRUE(ReadBytes(source) == content) << c.name;
        EXPECT_EQ(Status(source).st_nlink, c.throughHardLink ? 2u : 1u) << c.name;
        EXPECT_EQ(EntriesIn(folder), 1) << c.name;
    }
}

TEST(Fastcopy, FailuresLeaveTheExistingCopyIntact) {
    ScratchFolder scratch;
    std::filesystem::create_directory(scratch / "out");
    const std::string source = scratch / "big.avi";
    const std::string copy = scratch / "out/big.avi";
    WriteBytes(source, RandomBytes(2 * 1024 * 1024, 11));
    WriteBytes(copy, "the good old copy");
    SetModificationTime(copy, 1000, 0);

    // Writes past 64 KiB fail with EFBIG, as on a full or too-small volume.
    const ToolResult run = Fastcopy(source, scratch / "out/", {{}, rlim_t{64 * 1024}});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("cannot write '" + copy + "'"), std::string::npos) << run.err;
    EXPECT_EQ(ReadBytes(copy), "the good old copy");
    EXPECT_EQ(EntriesIn(scratch / "out"), 1);
}

TEST(Fastcopy, ReportsWhatCannotBeCopied) {
    struct Case {
        const char* name;
        std::string source;       // relative to the scratch folder
        std::string destination;  // relative, or absolute when it starts with '/'
        std::string errorPart;
    };
    const std::vector<Case> cases = {
        {"missing source", "missing.avi", "out/", "cannot read"},
        {"source is a folder", "out", "elsewhere/", "Is a directory"},
        {"destination parent is a file", "a.avi", "a.avi/sub/", "cannot create the folder"},
        {"destination is a file", "a.avi", "plain/", "cannot create the folder"},
        {"destination under /proc", "a.avi", "/proc/self/tessaro-copies/", "cannot create"},
        {"a folder holds the target name", "a.avi", "taken/", "cannot write"},
    };
    for (const Case& c : cases) {
        ScratchFolder scratch;
        std::filesystem::create_directory(scratch / "out");
        std::filesystem::create_directories(scratch / "taken/a.avi");
        WriteBytes(scratch / "a.avi", "data");
        WriteBytes(scratch / "plain", "not a folder");
        const std::string destination =
            c.destination.front() == '/' ? c.destination : scratch / c.destination;
        const ToolResult run = Fastcopy(scratch / c.source, destination);
        EXPECT_EQ(run.exitCode, 1) << c.name;
        EXPECT_NE(run.err.find(c.errorPart), std::string::npos) << c.name << ": " << run.err;
        EXPECT_EQ(run.out, "") << c.name;
        EXPECT_EQ(ReadBytes(scratch / "plain"), "not a folder") << c.name;
        EXPECT_TRUE(std::filesystem::is_directory(scratch / "taken/a.avi")) << c.name;
        EXPECT_EQ(EntriesIn(scratch / "taken"), 1) << c.name;
    }
}

TEST(Fastcopy, RejectsBadCommandLines) {
    struct Case {
        const char* name;
        std::vector<std::string> arguments;
        std::string errorPart;
    };
    const std::vector<Case> cases = {
        {"unknown option",
         {"/cmd=update", "/verify", "/etc/hostname", "/to=/tmp/x/"},
         "unknown option /verify"},
        {"other command", {"/cmd=sync", "/etc/hostname", "/to=/tmp/x/"}, "/cmd=update"},
        {"no destination", {"/cmd=update", "/etc/hostname"}, "no destination"},
        {"empty destination", {"/cmd=update", "/etc/hostname", "/to="}, "/to="},
        {"no source", {"/cmd=update", "/to=/tmp/x/"}, "no source"},
        {"flag with a value", {"/force_close=1", "/etc/hostname", "/to=/tmp/x/"}, "no value"},
        {"nothing at all", {}, "no source"},
    };
    for (const Case& c : cases) {
        const ToolResult run = RunTool("fastcopy", c.arguments);
        EXPECT_EQ(run.exitCode, 2) << c.name;
        EXPECT_NE(run.err.find(c.errorPart), std::string::npos) << c.name << ": " << run.err;
        EXPECT_NE(run.err.find("Usage: fastcopy"), std::string::npos) << c.name;
        EXPECT_EQ(run.out, "") << c.name;
    }
}

// "/tmp" reads like an option but names something that exists.
TEST(Fastcopy, TakesAnExistingOptionLikePathAsSource) {
    ScratchFolder scratch;
    const ToolResult run = RunTool("fastcopy", {"/cmd=update", "/tmp", "/to=" + scratch / "out"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("cannot copy '/tmp': Is a directory"), std::string::npos) << run.err;
}

TEST(Fastcopy, TakesSourcesAfterDoubleDashAndOptionsInAnyCase) {
    ScratchFolder scratch;
    const std::string source = scratch / "b.srt";
    WriteBytes(source, "subtitle");
    const ToolResult run =
        RunTool("fastcopy", {"/CMD=Update", "/Log=TRUE", "/to=" + scratch / "out", "--", source});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(ReadBytes(scratch / "out/b.srt"), "subtitle");
    const ToolResult help = RunTool("fastcopy", {"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("/cmd=update"), std::string::npos);
}

}  // namespace
}  // namespace tessaro::testing
