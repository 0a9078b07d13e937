#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "encode/ScriptError.h"
#include "encode/ScriptWriter.h"

namespace tessaro {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::HasSubstr;
using ::testing::Not;

JobRow Row(std::string caption, std::string code, std::string bitrate = "1500",
           std::string format = "MPEG-4 Visual", std::string codec = "XVID",
           std::string audio = "MPEG Audio") {
    JobRow row;
    row.caption = std::move(caption);
    row.subItems = {std::move(format),
                    std::move(codec),
                    "640",
                    "480",
                    std::move(audio),
                    code == "0" || code == "7" ? "Yes" : "No",
                    std::move(code),
                    std::move(bitrate)};
    return row;
}

ScriptOptions CmdOptions() {
    ScriptOptions options;
    options.serial = 0;
    options.outputFolder = "D:\\Out";
    options.drive = "E:";
    options.exeFolder = "C:\\App\\";
    options.tempFolder = "C:\\Temp";
    options.dialect = ScriptDialect::cmd;
    return options;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()) << "text after the last CR LF";
    return lines;
}

// The lines a single job adds between its markers and the closing lines.
std::vector<std::string> JobLines(const ScriptOptions& options, const JobRow& row) {
    const std::vector<std::string> lines = Lines(BuildScript(options, {row}, {}).text);
    EXPECT_GE(lines.size(), 6u);
    return {lines.begin() + 3, lines.end() - 2};
}

TEST(WriteScript, WritesTheTwoJobExampleByteForByte) {
    ScriptOptions options = CmdOptions();
    options.copyToDrive = true;
    const JobList rows = {Row("C:\\v\\a.avi", "0"), Row("C:\\v\\b.mkv", "5", "1500")};

    const Script script = BuildScript(options, rows, {});

    const std::string expected =
        "@ECHO OFF\r\n"
        "ECHO #JOB#Job:1/2\r\n"
        "ECHO #STATUS#Encoding\r\n"
        "ECHO #STATUS#Copyto D:\\Out\\\r\n"
        "\"C:\\App\\fastcopy.exe\" /cmd=update /auto_close /force_close /force_start /log=FALSE "
        "\"C:\\v\\a.avi\" "
        "/to=\"D:\\Out\\\" > C:\\Temp\\2.txt\r\n"
        "ECHO #STATUS#Copyto E:\r\n"
        "\"C:\\App\\fastcopy.exe\" /cmd=update /auto_close /force_close /force_start /log=FALSE "
        "\"C:\\v\\a.avi\" "
        "/to=\"E:\\\" > C:\\Temp\\2.txt\r\n"
        "ECHO #JOB#Job:2/2\r\n"
        "ECHO #STATUS#Encoding\r\n"
        "\"C:\\App\\mencoder.exe\" \"C:\\v\\b.mkv\"  -af volnorm -srate 44100 -vf-add "
        "scale=720:-2,harddup -oac "
        "mp3lame -lameopts cbr:br=128:mode=0 -ovc xvid -xvidencopts "
        "bitrate=1500:threads=2:max_bframes=0 -o "
        "\"D:\\Out\\b_XviD.avi\" 2> C:\\Temp\\2.txt\r\n"
        "ECHO #STATUS#Copyto E:\r\n"
        "\"C:\\App\\fastcopy.exe\" /cmd=update /auto_close /force_close /force_start /log=FALSE "
        "\"D:\\Out\\b_XviD.avi\" /to=\"E:\\\" > C:\\Temp\\2.txt\r\n"
        "ECHO #STATUS#Completed\r\n"
        "\r\n";
    EXPECT_EQ(script.text, expected);
    EXPECT_EQ(script.jobCount, 2);
}

struct CodeCase {
    const char* code;
    const char* source;
    std::vector<std::string> lines;
};

TEST(WriteScript, WritesEachDecisionCodesCommand) {
    ScriptOptions options = CmdOptions();
    options.serial = 1;
    const std::string mencoder = "\"C:\\App\\mencoder.exe\" \"C:\\v\\movie.mkv\"  ";
    const std::string mp3 = "-af volnorm -srate 44100 ";
    const std::string lame = " -oac mp3lame -lameopts cbr:br=128:mode=0";
    const std::string xvid = " -ovc xvid -xvidencopts bitrate=1500:threads=2:max_bframes=0";
    const std::string toXvid = " -o \"D:\\Out\\movie_XviD.avi\" 2> C:\\Temp\\2.txt";
    const std::string charshift =
        "\"C:\\App\\Charshift.exe\" \"C:\\v\\movie.srt\" \"D:\\Out\\movie.srt\" ";
    const std::string converting = "ECHO Converting 'C:\\v\\movie.srt' To 'D:\\Out\\movie.srt'";
    const std::string copy =
        "\"C:\\App\\fastcopy.exe\" /cmd=update /auto_close /force_close /force_start "
        "/log=FALSE \"C:\\v\\movie.mkv\" /to=\"D:\\Out\\\" > C:\\Temp\\2.txt";
    const std::vector<CodeCase> cases = {
        {"0", "C:\\v\\movie.mkv", {"ECHO #STATUS#Copyto D:\\Out\\", copy}},
        {"1",
         "C:\\v\\movie.mkv",
         {mencoder + mp3 + "-vf-add harddup" + lame +
          " -ovc copy -o \"D:\\Out\\movie_mp3.mkv\" 2> C:\\Temp\\2.txt"}},
        {"2",
         "C:\\v\\movie.mkv",
         {mencoder + "-vf-add scale=852:-2,harddup -oac copy" + xvid + toXvid}},
        {"3",
         "C:\\v\\movie.mkv",
         {mencoder + "-vf-add scale=-2:540,harddup -oac copy" + xvid + toXvid}},
        {"4", "C:\\v\\movie.mkv", {mencoder + mp3 + "-vf-add harddup" + lame + xvid + toXvid}},
        {"5",
         "C:\\v\\movie.mkv",
         {mencoder + mp3 + "-vf-add scale=852:-2,harddup" + lame + xvid + toXvid}},
        {"6",
         "C:\\v\\movie.mkv",
         {mencoder + mp3 + "-vf-add scale=-2:540,harddup" + lame + xvid + toXvid}},
        {"7", "C:\\v\\movie.mkv", {"ECHO #STATUS#Copyto D:\\Out\\", copy}},
        {"8", "C:\\v\\movie.srt", {converting, charshift + "0 > C:\\Temp\\2.txt"}},
        {"9", "C:\\v\\movie.srt", {converting, charshift + "0 > C:\\Temp\\2.txt"}},
        {"10", "C:\\v\\movie.srt", {converting, charshift + "1 > C:\\Temp\\2.txt"}},
        {"11", "C:\\v\\movie.srt", {converting, charshift + "1 > C:\\Temp\\2.txt"}},
        {"-1", "C:\\v\\movie.mkv", {"ECHO Skip \"C:\\v\\movie.mkv\""}},
        {"12", "C:\\v\\movie.mkv", {"ECHO Skip \"C:\\v\\movie.mkv\""}},
        {"-7", "C:\\v\\movie.mkv", {"ECHO Skip \"C:\\v\\movie.mkv\""}},
        {"abc", "C:\\v\\movie.mkv", {"ECHO Skip \"C:\\v\\movie.mkv\""}},
        {"", "C:\\v\\movie.mkv", {"ECHO Skip \"C:\\v\\movie.mkv\""}},
    };
    for (const CodeCase& c : cases)
        EXPECT_THAT(JobLines(options, Row(c.source, c.code)), ElementsAreArray(c.lines))
            << "code " << c.code;
}

TEST(WriteScript, NamesOutputsAfterTheSource) {
    const ScriptOptions options = CmdOptions();
    EXPECT_THAT(JobLines(options, Row("C:\\v\\movie.mkv", "1")).front(),
                HasSubstr("-o \"D:\\Out\\movie_mp3.mkv\""));
    EXPECT_THAT(JobLines(options, Row("C:\\v\\movie.mkv", "4")).front(),
                HasSubstr("-o \"D:\\Out\\movie_XviD.avi\""));
    EXPECT_THAT(JobLines(options, Row("C:\\v\\movie.srt", "10")).back(),
                HasSubstr("\"D:\\Out\\movie.srt\" 1 >"));
    EXPECT_THAT(JobLines(options, Row("C:\\v.d\\clip.part.avi", "4")).front(),
                HasSubstr("-o \"D:\\Out\\clip.part_XviD.avi\""));
    EXPECT_THAT(JobLines(options, Row("C:\\v.d\\noext", "1")).front(),
                HasSubstr("-o \"D:\\Out\\noext_mp3\""));
}

TEST(WriteScript, UsesTheSelectedBitRateOrTheRowsOwn) {
    ScriptOptions options = CmdOptions();
    EXPECT_THAT(JobLines(options, Row("C:\\v\\a.avi", "4", "4500")).front(),
                HasSubstr("bitrate=3000:"));
    EXPECT_THAT(JobLines(options, Row("C:\\v\\a.avi", "4", "0")).front(),
                HasSubstr("bitrate=3000:"));
    EXPECT_THAT(JobLines(options, Row("C:\\v\\a.avi", "4", "none")).front(),
                HasSubstr("bitrate=512:"));
    options.bitrateIndex = 3;
    EXPECT_THAT(JobLines(options, Row("C:\\v\\a.avi", "4", "4500")).front(),
                HasSubstr("bitrate=640:"));
}

TEST(WriteScript, LeavesUsableFilesInPlaceWhenOnlyUnsupportedOnesAreEncoded) {
    ScriptOptions options = CmdOptions();
    options.unsupportedOnly = true;
    EXPECT_THAT(JobLines(options, Row("C:\\v\\a.avi", "0")),
                ElementsAre("ECHO Skip Copy \"C:\\v\\a.avi\" To \"D:\\Out\\\" "));
    EXPECT_THAT(JobLines(options, Row("C:\\v\\a.srt", "7")),
                ElementsAre("ECHO Skip Copy \"C:\\v\\a.srt\" To \"D:\\Out\\\" "));
    EXPECT_THAT(JobLines(options, Row("C:\\v\\a.avi", "4")).front(), HasSubstr("mencoder.exe"));
}

TEST(WriteScript, CopiesToTheDriveOnlyWhatAJobLeavesBehind) {
    ScriptOptions options = CmdOptions();
    options.copyToDrive = true;
    options.unsupportedOnly = true;
    const std::string toDrive = " /to=\"E:\\\" > C:\\Temp\\2.txt";
    const std::string fastcopy =
        "\"C:\\App\\fastcopy.exe\" /cmd=update /auto_close /force_close /force_start "
        "/log=FALSE ";
    EXPECT_THAT(JobLines(options, Row("C:\\v\\a.avi", "0")),
                ElementsAre("ECHO Skip Copy \"C:\\v\\a.avi\" To \"D:\\Out\\\" ",
                            "ECHO #STATUS#Copyto E:", fastcopy + "\"C:\\v\\a.avi\"" + toDrive));
    EXPECT_THAT(JobLines(options, Row("C:\\v\\a.srt", "9")).back(),
                fastcopy + "\"D:\\Out\\a.srt\"" + toDrive);
    EXPECT_THAT(JobLines(options, Row("C:\\v\\a.avi", "1")).back(),
                fastcopy + "\"D:\\Out\\a_mp3.avi\"" + toDrive);
    for (const char* nothingToCopy : {"-1", "12", "x"})
        EXPECT_THAT(JobLines(options, Row("C:\\v\\a.avi", nothingToCopy)),
                    ElementsAre("ECHO Skip \"C:\\v\\a.avi\""))
            << nothingToCopy;
}

TEST(WriteScript, FiltersOnOneColumnAndKeepsEveryJobsMarkers) {
    const JobList rows = {Row("C:\\v\\a.avi", "4", "900", "MPEG-4 Visual", "FMP4"),
                          Row("C:\\v\\b.avi", "4", "900", "AVC", "avc1"),
                          Row("C:\\v\\c.avi", "4", "900", "MPEG-4 Visual", "")};
    const Script byFormat = BuildScript(CmdOptions(), rows, {1, "MPEG-4 Visual"});
    const std::vector<std::string> lines = Lines(byFormat.text);
    EXPECT_EQ(byFormat.jobCount, 3);
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(lines[1], "ECHO #JOB#Job:1/3");
    EXPECT_THAT(lines[3], HasSubstr("\"C:\\v\\a.avi\"  "));
    EXPECT_EQ(lines[4], "ECHO #JOB#Job:2/3");
    EXPECT_EQ(lines[5], "ECHO #STATUS#Encoding");
    EXPECT_EQ(lines[6], "ECHO Skip \"C:\\v\\b.avi\"");
    EXPECT_EQ(lines[7], "ECHO #JOB#Job:3/3");
    EXPECT_THAT(lines[9], HasSubstr("\"C:\\v\\c.avi\"  "));

    const std::vector<std::string> nullCodec =
        Lines(BuildScript(CmdOptions(), rows, {2, "(NULL)"}).text);
    EXPECT_EQ(nullCodec[3], "ECHO Skip \"C:\\v\\a.avi\"");
    EXPECT_EQ(nullCodec[6], "ECHO Skip \"C:\\v\\b.avi\"");
    EXPECT_THAT(nullCodec[9], HasSubstr("mencoder.exe\" \"C:\\v\\c.avi\""));

    const std::vector<std::string> exact =
        Lines(BuildScript(CmdOptions(), rows, {1, "mpeg-4 visual"}).text);
    for (size_t job : {3u, 6u, 9u}) EXPECT_THAT(exact[job], HasSubstr("ECHO Skip ")) << job;
}

TEST(WriteScript, EncodesOneSelectedRowAsJobOneOfOne) {
    const JobList rows = {Row("C:\\v\\a.avi", "4"), Row("C:\\v\\b.avi", "4"),
                          Row("C:\\v\\c.avi", "4")};
    const Script one = BuildScript(CmdOptions(), rows, {-1, "0", 1});
    const std::vector<std::string> lines = Lines(one.text);
    EXPECT_EQ(one.jobCount, 1);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[1], "ECHO #JOB#Job:1/1");
    EXPECT_THAT(lines[3], HasSubstr("\"C:\\v\\b.avi\""));
    EXPECT_THAT(one.text, Not(HasSubstr("a.avi")));
    EXPECT_THAT(one.text, Not(HasSubstr("c.avi")));
}

TEST(WriteScript, KeepsASubtitlesOutputInItsOwnFolderAtTheSourcePath) {
    ScriptOptions options = CmdOptions();
    options.outputFolder = "C:\\v";
    EXPECT_THAT(JobLines(options, Row("C:\\v\\movie.srt", "11")),
                ElementsAre("ECHO Converting 'C:\\v\\movie.srt' To 'C:\\v\\movie.srt'",
                            "\"C:\\App\\Charshift.exe\" \"C:\\v\\movie.srt\" \"C:\\v\\movie.srt\" "
                            "1 > C:\\Temp\\2.txt"));
    EXPECT_THAT(JobLines(options, Row("C:\\v\\movie.avi", "0")).back(),
                HasSubstr("\"C:\\v\\movie.avi\" /to=\"C:\\v\\\""));
}

TEST(WriteScript, NeverWritesOverAListedSource) {
    const JobList rows = {Row("C:\\v\\b.mkv", "5"), Row("D:\\Out\\B_XVID.AVI", "0"),
                          Row("C:\\v\\a.avi", "0"), Row("d:/out//a.avi", "0"),
                          Row("C:\\w\\b.srt", "8"), Row("D:\\Out\\b.srt", "11")};
    ScriptOptions options = CmdOptions();
    options.copyToDrive = true;
    const std::vector<std::string> lines = Lines(BuildScript(options, rows, {}).text);
    const std::vector<std::string> expectedSkips = {
        "ECHO Skip \"C:\\v\\b.mkv\": \"D:\\Out\\b_XviD.avi\" is a source file of the list",
        "ECHO Skip \"C:\\v\\a.avi\": \"D:\\Out\\a.avi\" is a source file of the list",
        "ECHO Skip \"C:\\w\\b.srt\": \"D:\\Out\\b.srt\" is a source file of the list",
    };
    for (const std::string& skip : expectedSkips) EXPECT_THAT(lines, ::testing::Contains(skip));
    EXPECT_THAT(lines,
                ::testing::Not(::testing::Contains(HasSubstr("-o \"D:\\Out\\b_XviD.avi\""))));
    // Copies and conversions onto themselves stay: they leave the file as it was.
    EXPECT_THAT(lines, ::testing::Contains(HasSubstr("\"d:/out//a.avi\" /to=\"D:\\Out\\\"")));
    EXPECT_THAT(lines, ::testing::Contains(HasSubstr("\"D:\\Out\\b.srt\" \"D:\\Out\\b.srt\" 1 >")));
    // A skipped job leaves nothing to copy to the drive.
    EXPECT_THAT(lines,
                ::testing::Not(::testing::Contains(HasSubstr("\"C:\\v\\a.avi\" /to=\"E:\\\""))));
}

TEST(WriteScript, DoublesPercentSignsAndEscapesOperatorsOutsideQuotes) {
    ScriptOptions options = CmdOptions();
    options.outputFolder = "D:\\R&D %USERNAME%";
    options.tempFolder = "C:\\Temp Files";
    EXPECT_THAT(
        JobLines(options, Row("C:\\v\\100% a&b.srt", "10")),
        ElementsAre(
            "ECHO Converting 'C:\\v\\100%% a^&b.srt' To 'D:\\R^&D %%USERNAME%%\\100%% a^&b.srt'",
            "\"C:\\App\\Charshift.exe\" \"C:\\v\\100%% a&b.srt\" \"D:\\R&D %%USERNAME%%\\100%% "
            "a&b.srt\" "
            "1 > \"C:\\Temp Files\\2.txt\""));
    EXPECT_THAT(JobLines(options, Row("C:\\v\\a&b.avi", "0")).front(),
                "ECHO #STATUS#Copyto D:\\R^&D %%USERNAME%%\\");
}

TEST(WriteScript, RefusesInputTheScriptCannotCarry) {
    const JobList rows = {Row("C:\\v\\a.avi", "4")};
    ScriptOptions options = CmdOptions();
    EXPECT_THROW(BuildScript(options, {Row("C:\\v\\a\" & calc & \".avi", "4")}, {}), ScriptError);
    EXPECT_THROW(BuildScript(options, {Row("C:\\v\\a\r\nb.avi", "4")}, {}), ScriptError);
    EXPECT_THROW(BuildScript(options, rows, {-1, "0", -1}), ScriptError);
    EXPECT_THROW(BuildScript(options, rows, {-1, "0", 1}), ScriptError);
    EXPECT_THROW(BuildScript(options, {}, {-1, "0", 0}), ScriptError);
    EXPECT_THROW(BuildScript(options, rows, {9, "x"}), ScriptError);
    EXPECT_NO_THROW(BuildScript(options, rows, {8, "1500"}));
    options.outputFolder.clear();
    EXPECT_THROW(BuildScript(options, rows, {}), ScriptError);
    options = CmdOptions();
    options.copyToDrive = true;
    options.drive.clear();
    EXPECT_THROW(BuildScript(options, rows, {}), ScriptError);
    options = CmdOptions();
    options.tempFolder.clear();
    EXPECT_THROW(BuildScript(options, rows, {}), ScriptError);
}

TEST(WriteScript, WritesAnEmptyListAsAScriptThatOnlyCompletes) {
    const Script script = BuildScript(CmdOptions(), {}, {});
    EXPECT_EQ(script.jobCount, 0);
    EXPECT_EQ(script.text, "@ECHO OFF\r\nECHO #STATUS#Completed\r\n\r\n");
}

}  // namespace
}  // namespace tessaro
