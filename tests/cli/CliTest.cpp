#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "RunProgram.h"

namespace tessaro::test {
namespace {

namespace fs = std::filesystem;
using ::testing::AllOf;
using ::testing::HasSubstr;
using ::testing::StartsWith;

const std::string kCli = std::string(TESSARO_BIN_DIR) + "/tessaro-cli";

std::string Corpus(const std::string& name) {
    return std::string(TESSARO_CORPUS_DIR) + "/" + name;
}

std::vector<std::string> SplitOn(const std::string& text, char separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t end; (end = text.find(separator, start)) != std::string::npos; start = end + 1)
        parts.push_back(text.substr(start, end - start));
    parts.push_back(text.substr(start));
    return parts;
}

std::vector<std::vector<std::string>> RowsOf(const std::string& probeOutput) {
    std::vector<std::vector<std::string>> rows;
    for (const std::string& line : SplitOn(probeOutput, '\n'))
        if (!line.empty()) rows.push_back(SplitOn(line, '\t'));
    return rows;
}

class TessaroCli : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "tessaro-cli-test-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        scratch_ = pattern;
        fs::create_directories(scratch_ / "run");
        fs::create_directories(scratch_ / "out");
    }
    void TearDown() override { fs::remove_all(scratch_); }

    ProgramRun Run(const std::vector<std::string>& arguments, const std::string& input = {},
                   const fs::path& folder = {}) {
        return RunProgram(kCli, arguments, scratch_ / "run", input, folder);
    }

    // Fixed folders so that scripts compare across runs.
    std::vector<std::string> ScriptArguments(std::vector<std::string> extra) const {
        std::vector<std::string> arguments = {"script",
                                              "--output",
                                              (scratch_ / "out").string(),
                                              "--temp-folder",
                                              (scratch_ / "out").string(),
                                              "--exe-folder",
                                              "/opt/tools"};
        arguments.insert(arguments.end(), extra.begin(), extra.end());
        return arguments;
    }

    fs::path scratch_;
};

TEST_F(TessaroCli, DescribesItsCommandsOnRequest) {
    const ProgramRun overview = Run({"--help"});
    EXPECT_EQ(overview.exitCode, 0);
    EXPECT_THAT(overview.out, AllOf(HasSubstr("probe"), HasSubstr("script")));
    const ProgramRun probe = Run({"probe", "--help"});
    EXPECT_EQ(probe.exitCode, 0);
    EXPECT_THAT(probe.out, AllOf(HasSubstr("tessaro-cli probe [--device N] PATH..."),
                                 HasSubstr("Exit status")));
    const ProgramRun script = Run({"script", "--help"});
    EXPECT_EQ(script.exitCode, 0);
    for (const char* option : {"--device", "--bitrate", "--output", "--copy-to",
                               "--unsupported-only", "--dialect", "--exe-folder", "--temp-folder",
                               "--column", "--value", "--selected", "--rows", "--script"})
        EXPECT_THAT(script.out, HasSubstr(option)) << option;
}

TEST_F(TessaroCli, PrintsOneRowPerAddedFileInOrder) {
    const ProgramRun run =
        Run({"probe", "--device", "1", Corpus("b.mkv"), Corpus("nothing.here.avi"),
             Corpus("plain-ansi.txt"), Corpus("subrip-utf8.srt"), Corpus("mjpeg.avi")});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    const auto rows = RowsOf(run.out);
    ASSERT_EQ(rows.size(), 4u) << run.out;
    for (const auto& row : rows) EXPECT_EQ(row.size(), 9u);
    EXPECT_EQ(rows[0],
              (std::vector<std::string>{Corpus("b.mkv"), "MPEG-4 Visual", "V_MPEG4/ISO/ASP", "1280",
                                        "720", "AC-3", "No", "5", rows[0][8]}));
    EXPECT_EQ(rows[1], (std::vector<std::string>{Corpus("plain-ansi.txt"), "Text", "(NULL)", "0",
                                                 "0", "", "No", "-1", "0"}));
    EXPECT_EQ(rows[2][0], Corpus("subrip-utf8.srt"));
    EXPECT_EQ(rows[2][7], "11");
    EXPECT_EQ(rows[3][0], Corpus("mjpeg.avi"));
    EXPECT_EQ(rows[3][1], "JPEG");
    EXPECT_EQ(rows[3][6], "Yes");
    EXPECT_THAT(run.err, HasSubstr(Corpus("nothing.here.avi") + ": no such file"));
}

TEST_F(TessaroCli, NamesSkippedFilesAndFailsWhenNoRowIsProduced) {
    const ProgramRun run =
        Run({"probe", Corpus("subrip-utf8.srt"), Corpus("missing.avi"), "/etc/hostname"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_THAT(run.err, AllOf(HasSubstr(Corpus("subrip-utf8.srt") + ": file type not accepted"),
                               HasSubstr(Corpus("missing.avi") + ": no such file"),
                               HasSubstr("/etc/hostname: file type not accepted")));
}

TEST_F(TessaroCli, LeavesOutNamesTheRowFormatCannotCarry) {
    const fs::path tabbed = scratch_ / "out" / "a\tb.avi";
    const fs::path broken = scratch_ / "out" / "a\nb.avi";
    fs::copy_file(Corpus("xvid.avi"), tabbed);
    fs::copy_file(Corpus("xvid.avi"), broken);
    const ProgramRun run = Run({"probe", tabbed.string(), broken.string()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_THAT(run.err,
                AllOf(HasSubstr("not listed: " + tabbed.string() + ": a name or value holds a tab"),
                      HasSubstr("not listed: " + broken.string())));
}

TEST_F(TessaroCli, ListsRelativePathsAsFullPaths) {
    const ProgramRun run = Run({"probe", "xvid.avi"}, {}, TESSARO_CORPUS_DIR);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_THAT(run.out, StartsWith(Corpus("xvid.avi") + "\tMPEG-4 Visual\tXVID\t320\t240\t"));
}

struct BadArguments {
    std::vector<std::string> arguments;
    const char* message;
};

TEST_F(TessaroCli, RefusesBadArgumentsWithoutWritingAnything) {
    const std::string rows = (scratch_ / "rows.txt").string();
    const std::string shortRow = (scratch_ / "short.txt").string();
    const std::string quoteRow = (scratch_ / "quote.txt").string();
    std::ofstream(rows) << Corpus("hd720.avi")
                        << "\tMPEG-4 Visual\tXVID\t1280\t720\tMPEG Audio\tNo\t2\t840\n";
    std::ofstream(shortRow) << "/v/a.avi\tMPEG-4 Visual\tXVID\t1280\t720\tMPEG Audio\tNo\t2\n";
    std::ofstream(quoteRow)
        << "/v/a\".avi\tMPEG-4 Visual\tXVID\t1280\t720\tMPEG Audio\tNo\t2\t840\n";
    const std::string script = (scratch_ / "out" / "never.sh").string();
    const std::vector<BadArguments> cases = {
        {{}, "Usage: tessaro-cli COMMAND"},
        {{"encode-all"}, "unknown command \"encode-all\""},
        {{"probe"}, "probe needs at least one PATH"},
        {{"probe", "--device", "3", Corpus("xvid.avi")},
         "--device takes a whole number from 0 to 2"},
        {{"probe", "--device=x", Corpus("xvid.avi")}, "not \"x\""},
        {{"probe", "--bogus", Corpus("xvid.avi")}, "unknown option --bogus"},
        {{"script", "--script", script}, "script needs PATHs or --rows"},
        {{"script", "--script", script, "--rows", rows, "--bitrate", "13"},
         "--bitrate takes a whole number from 0 to 12"},
        {{"script", "--script", script, "--rows", rows, "--dialect", "bat"},
         "--dialect is cmd or sh"},
        {{"script", "--script", script, "--rows", rows, "--column", "1"}, "needs --value"},
        {{"script", "--script", script, "--rows", rows, "--value", "x"}, "--value needs --column"},
        {{"script", "--script", script, "--rows", rows, "--column", "9", "--value", "x"},
         "from 0 to 8"},
        {{"script", "--script", script, "--rows", rows, "--selected", "0"},
         "--selected takes a whole number from 1 to 1"},
        {{"script", "--script", script, "--rows", rows, "--selected", "2"},
         "--selected takes a whole number from 1 to 1"},
        {{"script", "--script", script, "--rows", rows, "--selected", "1", "--column", "0"},
         "cannot be combined"},
        {{"script", "--script", script, "--rows", rows, Corpus("xvid.avi")},
         "either --rows or PATHs"},
        {{"script", "--script", script, "--rows", (scratch_ / "absent.txt").string()},
         "cannot read the rows file"},
        {{"script", "--script", script, "--rows", shortRow},
         "line 1: expected 9 tab-separated fields"},
        {{"script", "--script", script, "--rows", quoteRow, "--dialect", "cmd"}, "double quote"},
        {{"script", "--script", script, "--rows", rows, "--copy-to", ""}, "no drive is selected"},
        {{"script", "--script", script, "--rows", rows, "--output", ""}, "No output folder"},
        {{"script", "--script", script, "--rows", rows, "--device"}, "--device needs a value"},
        {{"script", "--script", script, "--rows", rows, "--unsupported-only=yes"},
         "takes no value"},
        {{"script", "--script", script, "--rows", rows, "--output", "/a", "--output", "/b"},
         "given twice"},
    };
    for (const BadArguments& c : cases) {
        const ProgramRun run = Run(c.arguments);
        const std::string label =
            c.arguments.empty() ? "(none)" : c.arguments.front() + " ... " + c.arguments.back();
        EXPECT_EQ(run.exitCode, 2) << label << "\n" << run.err;
        EXPECT_THAT(run.err, HasSubstr(c.message)) << label;
        EXPECT_EQ(run.out, "") << label;
        EXPECT_FALSE(fs::exists(script)) << label;
    }
}

TEST_F(TessaroCli, WritesTheSameScriptFromProbeOutputAsFromThePaths) {
    const std::vector<std::string> paths = {Corpus("b.mkv"), Corpus("xvid.avi"),
                                            Corpus("subrip-utf16le.srt"), Corpus("plain-ansi.txt"),
                                            Corpus("café ü.avi")};
    std::vector<std::string> probe = {"probe", "--device", "2"};
    probe.insert(probe.end(), paths.begin(), paths.end());
    const ProgramRun probed = Run(probe);
    ASSERT_EQ(probed.exitCode, 0) << probed.err;
    const std::string rowsFile = (scratch_ / "rows.txt").string();
    std::ofstream(rowsFile) << probed.out;

    std::vector<std::string> fromPaths =
        ScriptArguments({"--device", "2", "--copy-to", "/media/stick"});
    fromPaths.insert(fromPaths.end(), paths.begin(), paths.end());
    const ProgramRun direct = Run(fromPaths);
    const ProgramRun fromFile =
        Run(ScriptArguments({"--device", "2", "--copy-to", "/media/stick", "--rows", rowsFile}));
    const ProgramRun fromStdin = Run(
        ScriptArguments({"--device", "2", "--copy-to", "/media/stick", "--rows", "-"}), probed.out);

    ASSERT_EQ(direct.exitCode, 0) << direct.err;
    EXPECT_EQ(fromFile.exitCode, 0) << fromFile.err;
    EXPECT_EQ(fromStdin.exitCode, 0) << fromStdin.err;
    EXPECT_EQ(fromFile.out, direct.out);
    EXPECT_EQ(fromStdin.out, direct.out);
    EXPECT_THAT(direct.out, AllOf(StartsWith("#!/bin/sh\n"), HasSubstr("'#JOB#Job:5/5'"),
                                  HasSubstr("-o '" + (scratch_ / "out").string() + "/b_XviD.avi'"),
                                  HasSubstr("/to='/media/stick/'"),
                                  HasSubstr("Skip \"" + Corpus("plain-ansi.txt"))));
}

TEST_F(TessaroCli, SavesTheScriptToAFileAndSelectsRowsLikeTheWindow) {
    const std::string rowsFile = (scratch_ / "rows.txt").string();
    const ProgramRun probed =
        Run({"probe", Corpus("xvid.avi"), Corpus("hd720.avi"), Corpus("windows.wmv")});
    ASSERT_EQ(probed.exitCode, 0);
    std::ofstream(rowsFile) << probed.out;

    const std::string script = (scratch_ / "out" / "encode.sh").string();
    const ProgramRun saved =
        Run(ScriptArguments({"--rows", rowsFile, "--selected", "2", "--script", script}));
    ASSERT_EQ(saved.exitCode, 0) << saved.err;
    EXPECT_EQ(saved.out, "");
    const std::string text = ReadWholeFile(script);
    EXPECT_THAT(text, AllOf(HasSubstr("'#JOB#Job:1/1'"), HasSubstr(Corpus("hd720.avi"))));
    EXPECT_THAT(text, ::testing::Not(HasSubstr(Corpus("xvid.avi"))));
    struct stat status {};
    ASSERT_EQ(::stat(script.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0700u);

    const ProgramRun byVideo =
        Run(ScriptArguments({"--rows", rowsFile, "--column", "1", "--value", "WMV2"}));
    ASSERT_EQ(byVideo.exitCode, 0);
    EXPECT_THAT(byVideo.out,
                AllOf(HasSubstr("Skip \"" + Corpus("xvid.avi") + "\""),
                      HasSubstr("Skip \"" + Corpus("hd720.avi") + "\""),
                      HasSubstr("mencoder' '" + Corpus("windows.wmv") + "'  -af volnorm"),
                      HasSubstr("'#JOB#Job:3/3'")));

    const ProgramRun batch =
        Run(ScriptArguments({"--rows", rowsFile, "--dialect", "cmd", "--bitrate", "12",
                             "--unsupported-only", "--copy-to", "E:"}));
    ASSERT_EQ(batch.exitCode, 0);
    EXPECT_THAT(
        batch.out,
        AllOf(StartsWith("@ECHO OFF\r\nECHO #JOB#Job:1/3\r\n"),
              HasSubstr("\"/opt/tools\\mencoder.exe\" \"" + Corpus("hd720.avi") + "\"  "),
              HasSubstr("bitrate=3000:"), HasSubstr("ECHO Skip Copy \"" + Corpus("xvid.avi")),
              HasSubstr("/to=\"E:\\\""), HasSubstr("ECHO #STATUS#Completed\r\n\r\n")));
}

TEST_F(TessaroCli, WritesNoScriptWhenNoFileBecomesARow) {
    const std::string script = (scratch_ / "out" / "never.sh").string();
    const ProgramRun run = Run(ScriptArguments({"--script", script, Corpus("missing.avi")}));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_THAT(run.err, AllOf(HasSubstr("no such file"), HasSubstr("no job rows")));
    EXPECT_FALSE(fs::exists(script));
}

TEST_F(TessaroCli, ScriptConvertsWithTheRealEncoder) {
    const fs::path out = scratch_ / "out";
    const std::string script = (out / "encode.sh").string();
    const ProgramRun written =
        Run({"script", "--output", out.string(), "--temp-folder", out.string(), "--script", script,
             Corpus("hd720.avi"), Corpus("tall.avi")});
    ASSERT_EQ(written.exitCode, 0) << written.err;
    const ProgramRun ran = RunProgram("/bin/sh", {script}, scratch_ / "run");
    EXPECT_EQ(ran.exitCode, 0);
    EXPECT_THAT(ran.out, AllOf(HasSubstr("#JOB#Job:2/2\n#STATUS#Encoding\n"),
                               HasSubstr("#STATUS#Completed\n")));

    const ProgramRun probed =
        Run({"probe", (out / "hd720_XviD.avi").string(), (out / "tall_XviD.avi").string()});
    ASSERT_EQ(probed.exitCode, 0) << probed.err << ran.out;
    const auto rows = RowsOf(probed.out);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0][3], "720");
    EXPECT_EQ(rows[0][7], "0");
    EXPECT_EQ(rows[1][3], "512");
    EXPECT_EQ(rows[1][4], "576");
    EXPECT_EQ(rows[1][7], "0");
}

}  // namespace
}  // namespace tessaro::test
