#include <fcntl.h>

#include <random>

#include "ToolTest.h"
#include "platform/ScopedEnv.h"

namespace tessaro::test {
namespace {

namespace fs = std::filesystem;

std::string RandomBytes(size_t size) {
    std::mt19937 generator(7);
    std::string bytes(size, '\0');
    for (char& byte : bytes) byte = static_cast<char>(generator());
    return bytes;
}

void SetTime(const std::string& path, time_t seconds, long nanoseconds = 0) {
    const timespec times[2] = {{seconds, nanoseconds}, {seconds, nanoseconds}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0) << path;
}

class Fastcopy : public ToolTest {
protected:
    // The command line the conversion script uses.
    ProgramRun Copy(const std::string& source, const std::string& destination) const {
        return RunTool("fastcopy", {"/cmd=update", "/auto_close", "/force_close", "/force_start",
                                    "/log=FALSE", source, "/to=" + destination});
    }
};

TEST_F(Fastcopy, CopiesIntoTheFolderKeepingTimeAndPermissions) {
    const struct {
        const char* base;  // of the scratch folder; none is the usual temp folder
        std::string folder;
        std::string separator;
    } cases[] = {{nullptr, "out", "/"}, {nullptr, "out", ""}, {nullptr, "new/deeper", "/"},
                 {nullptr, "my 'odd' folder", "/"},
                 // As onto a removable drive: the kernel cannot copy between file systems.
                 {"/dev/shm", "drive", "/"}};
    const std::string source = File("clip one.avi");
    const std::string content = RandomBytes(3 * 1024 * 1024 + 17);
    WriteTextFile(source, content);
    ASSERT_EQ(::chmod(source.c_str(), 0751), 0);
    SetTime(source, 1577872800, 123456789);
    for (const auto& c : cases) {
        testing::ScopedEnv base("TMPDIR", c.base);
        testing::TempDir scratch;
        fs::create_directory(scratch.File("out"));
        const std::string copy = scratch.File(c.folder + "/clip one.avi");
        SCOPED_TRACE(copy);
        const ProgramRun run = Copy(source, scratch.File(c.folder) + c.separator);
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_THAT(run.out, StartsWith("Copied '" + source + "'"));
        EXPECT_EQ(run.err, "");
        EXPECT_TRUE(ReadTextFile(copy) == content);
        const struct stat info = Status(copy);
        EXPECT_EQ(std::tuple(info.st_mode & 0777, info.st_mtim.tv_sec, info.st_mtim.tv_nsec),
                  std::tuple(0751u, 1577872800L, 123456789L));
        EXPECT_EQ(EntriesIn(scratch.File(c.folder)), 1);
    }
}

TEST_F(Fastcopy, UpdatesOnlyWhenSizeDiffersOrTheCopyIsOlder) {
    const struct {
        std::string existing;
        time_t existingTime;  // the source is dated 2000000000
        bool expectCopy;
    } cases[] = {{"old content abcd", 2000000100, false}, {"old content abcd", 2000000000, false},
                 {"old content abcd", 1999999999, true},  {"old", 2000000100, true},
                 {"", 2000000100, true}};
    fs::create_directory(File("out"));
    for (const auto& c : cases) {
        WriteTextFile(File("a.srt"), "new content 1234");
        SetTime(File("a.srt"), 2000000000);
        WriteTextFile(File("out/a.srt"), c.existing);
        SetTime(File("out/a.srt"), c.existingTime);
        SCOPED_TRACE(c.existing + " @" + std::to_string(c.existingTime));
        const ProgramRun run = Copy(File("a.srt"), File("out/"));
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(ReadTextFile(File("out/a.srt")), c.expectCopy ? "new content 1234" : c.existing);
        EXPECT_THAT(run.out, StartsWith(c.expectCopy ? "Copied" : "Skipped"));
    }
}

TEST_F(Fastcopy, CopyOntoItselfChangesNothing) {
    const std::string content = RandomBytes(100000);
    for (const bool throughHardLink : {false, true}) {
        for (const std::string separator : {"/", ""}) {
            testing::TempDir scratch;
            const std::string source = scratch.File("movie.avi");
            WriteTextFile(source, content);
            const std::string folder =
                throughHardLink ? scratch.File("linked") : scratch.Path().string();
            fs::create_directory(folder);
            if (throughHardLink) fs::create_hard_link(source, folder + "/movie.avi");
            const ProgramRun run = Copy(source, folder + separator);
            EXPECT_EQ(run.exitCode, 0) << folder << separator;
            EXPECT_THAT(run.out, HasSubstr("same file"));
            EXPECT_TRUE(ReadTextFile(source) == content);
            EXPECT_EQ(Status(source).st_nlink, throughHardLink ? 2u : 1u);
            EXPECT_EQ(EntriesIn(folder), 1);
        }
    }
}

// '~' stands for the scratch folder; nothing in it may change.
TEST_F(Fastcopy, FailsLoudlyAndLeavesEverythingAsItWas) {
    const std::vector<std::string> kFsize = {
        "/bin/sh", "-c", "trap '' XFSZ; ulimit -f 128; exec \"$@\"", "sh"};
    const struct {
        std::vector<std::string> arguments;
        int exitCode;
        std::string errorPart;
        std::vector<std::string> prefix = {};
    } cases[] = {
        {{"/cmd=update", "~missing.avi", "/to=~out/"}, 1, "cannot read"},
        {{"/cmd=update", "~out", "/to=~elsewhere/"}, 1, "Is a directory"},
        {{"/cmd=update", "~a.avi", "/to=~a.avi/sub/"}, 1, "cannot create the folder"},
        {{"/cmd=update", "~a.avi", "/to=~plain/"}, 1, "cannot create the folder"},
        {{"/cmd=update", "~a.avi", "/to=/proc/self/tessaro-copies/"}, 1, "cannot create"},
        {{"/cmd=update", "~a.avi", "/to=~taken/"}, 1, "cannot write"},
        // Writes past the limit fail with EFBIG, as on a full or too-small volume.
        {{"/cmd=update", "~big.avi", "/to=~out/"}, 1, "cannot write '~out/big.avi'", kFsize},
        // "/tmp" reads like an option but names something that exists.
        {{"/cmd=update", "/tmp", "/to=~out"}, 1, "cannot copy '/tmp': Is a directory"},
        {{"/cmd=update", "/verify", "/etc/hostname", "/to=~x/"}, 2, "unknown option /verify"},
        {{"/cmd=sync", "/etc/hostname", "/to=~x/"}, 2, "/cmd=update"},
        {{"/cmd=update", "/etc/hostname"}, 2, "no destination"},
        {{"/cmd=update", "/etc/hostname", "/to="}, 2, "/to="},
        {{"/cmd=update", "/to=~x/"}, 2, "no source"},
        {{"/force_close=1", "/etc/hostname", "/to=~x/"}, 2, "no value"},
        {{}, 2, "no source"},
    };
    const auto inScratch = [this](std::string text) {
        for (size_t at; (at = text.find('~')) != std::string::npos;)
            text.replace(at, 1, dir.Path().string() + "/");
        return text;
    };
    for (const char* folder : {"out", "taken/a.avi"}) fs::create_directories(File(folder));
    WriteTextFile(File("a.avi"), "data");
    WriteTextFile(File("plain"), "not a folder");
    WriteTextFile(File("big.avi"), RandomBytes(2 * 1024 * 1024));
    WriteTextFile(File("out/big.avi"), "the good old copy");
    for (const auto& c : cases) {
        std::vector<std::string> arguments;
        for (const std::string& argument : c.arguments) arguments.push_back(inScratch(argument));
        SCOPED_TRACE(c.errorPart);
        const ProgramRun run = RunTool("fastcopy", arguments, c.prefix);
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_THAT(run.err, AllOf(HasSubstr(inScratch(c.errorPart)),
                                   HasSubstr(c.exitCode == 2 ? "Usage: fastcopy" : "")));
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(ReadTextFile(File("plain")), "not a folder");
        EXPECT_EQ(ReadTextFile(File("out/big.avi")), "the good old copy");
        EXPECT_TRUE(fs::is_directory(File("taken/a.avi")));
        EXPECT_EQ(EntriesIn(File("out")) + EntriesIn(File("taken")) + EntriesIn(dir.Path()), 7);
    }
}

TEST_F(Fastcopy, ReadsSourcesAfterDoubleDashAndOptionsInAnyCase) {
    WriteTextFile(File("b.srt"), "subtitle");
    const ProgramRun run = RunTool(
        "fastcopy", {"/CMD=Update", "/Log=TRUE", "/to=" + File("out"), "--", File("b.srt")});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(ReadTextFile(File("out/b.srt")), "subtitle");
    const ProgramRun help = RunTool("fastcopy", {"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_THAT(help.out, HasSubstr("/cmd=update"));
}

}  // namespace
}  // namespace tessaro::test
