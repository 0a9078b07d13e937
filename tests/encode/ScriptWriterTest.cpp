#include "encode/ScriptWriter.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "encode/ScriptError.h"
#include "encode/ScriptPaths.h"

namespace tessaro {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;
using Lines = std::vector<std::string>;
using Pairs = std::vector<std::pair<std::string, std::string>>;

const ScriptSyntax& kSh = SyntaxFor(ScriptDialect::sh);
const ScriptSyntax& kCmd = SyntaxFor(ScriptDialect::cmd);
const std::string kFastcopy =
    "\"C:\\App\\fastcopy.exe\" /cmd=update /auto_close /force_close /force_start /log=FALSE ";
const std::string kMencoder = "\"C:\\App\\mencoder.exe\" ";

JobRow Row(std::string caption, std::string code, std::string bitrate = "1500",
           std::string format = "MPEG-4 Visual", std::string codec = "XVID") {
    const std::string support = code == "0" || code == "7" ? "Yes" : "No";
    return {
        std::move(caption),
        {std::move(format), std::move(codec), "640", "480", "MPEG Audio", support, code, bitrate}};
}

ScriptOptions CmdOptions() {
    ScriptOptions options;
    options.outputFolder = "D:\\Out";
    options.drive = "E:";
    options.exeFolder = "C:\\App\\";
    options.tempFolder = "C:\\Temp";
    options.dialect = ScriptDialect::cmd;
    return options;
}

Lines SplitLines(const std::string& text) {
    Lines lines;
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()) << "text after the last CR LF";
    return lines;
}

Lines ScriptLines(const ScriptOptions& options, const JobList& rows,
                  const JobSelection& selection = {}) {
    return SplitLines(BuildScript(options, rows, selection).text);
}

// The lines a single job adds between its markers and the closing lines.
Lines JobLines(const ScriptOptions& options, const JobRow& row) {
    const Lines lines = ScriptLines(options, {row});
    return lines.size() < 6 ? Lines{"(short script)"} : Lines(lines.begin() + 3, lines.end() - 2);
}

TEST(WriteScript, WritesTheTwoJobExampleByteForByte) {
    ScriptOptions options = CmdOptions();
    options.copyToDrive = true;
    const Script script =
        BuildScript(options, {Row("C:\\v\\a.avi", "0"), Row("C:\\v\\b.mkv", "5")}, {});
    EXPECT_EQ(script.text,
              "@ECHO OFF\r\n"
              "ECHO #JOB#Job:1/2\r\n"
              "ECHO #STATUS#Encoding\r\n"
              "ECHO #STATUS#Copyto D:\\Out\\\r\n" +
                  kFastcopy +
                  "\"C:\\v\\a.avi\" /to=\"D:\\Out\\\" > C:\\Temp\\2.txt\r\n"
                  "ECHO #STATUS#Copyto E:\r\n" +
                  kFastcopy +
                  "\"C:\\v\\a.avi\" /to=\"E:\\\" > C:\\Temp\\2.txt\r\n"
                  "ECHO #JOB#Job:2/2\r\n"
                  "ECHO #STATUS#Encoding\r\n"
                  "\"C:\\App\\mencoder.exe\" \"C:\\v\\b.mkv\"  -af volnorm -srate 44100 -vf-add "
                  "scale=720:-2,harddup -oac "
                  "mp3lame -lameopts cbr:br=128:mode=0 -ovc xvid -xvidencopts "
                  "bitrate=1500:threads=2:max_bframes=0 -o "
                  "\"D:\\Out\\b_XviD.avi\" 2> C:\\Temp\\2.txt\r\n"
                  "ECHO #STATUS#Copyto E:\r\n" +
                  kFastcopy +
                  "\"D:\\Out\\b_XviD.avi\" /to=\"E:\\\" > C:\\Temp\\2.txt\r\n"
                  "ECHO #STATUS#Completed\r\n"
                  "\r\n");
    EXPECT_EQ(script.jobCount, 2);
    const Script empty = BuildScript(CmdOptions(), {}, {});
    EXPECT_EQ(empty.text, "@ECHO OFF\r\nECHO #STATUS#Completed\r\n\r\n");
    EXPECT_EQ(empty.jobCount, 0);
}

TEST(WriteScript, WritesEachDecisionCodesCommand) {
    ScriptOptions options = CmdOptions();
    options.serial = 1;
    const std::string source = kMencoder + "\"C:\\v\\movie.mkv\"  ",
                      mp3 = "-af volnorm -srate 44100 ";
    const std::string lame = " -oac mp3lame -lameopts cbr:br=128:mode=0";
    const std::string xvid =
        " -ovc xvid -xvidencopts bitrate=1500:threads=2:max_bframes=0 -o "
        "\"D:\\Out\\movie_XviD.avi\""
        " 2> C:\\Temp\\2.txt";
    const Lines copy = {"ECHO #STATUS#Copyto D:\\Out\\",
                        kFastcopy + "\"C:\\v\\movie.mkv\" /to=\"D:\\Out\\\" > C:\\Temp\\2.txt"};
    const std::vector<std::pair<std::string, Lines>> cases = {
        {"0", copy},
        {"1",
         {source + mp3 + "-vf-add harddup" + lame +
          " -ovc copy -o \"D:\\Out\\movie_mp3.mkv\" 2> C:\\Temp\\2.txt"}},
        {"2", {source + "-vf-add scale=852:-2,harddup -oac copy" + xvid}},
        {"3", {source + "-vf-add scale=-2:540,harddup -oac copy" + xvid}},
        {"4", {source + mp3 + "-vf-add harddup" + lame + xvid}},
        {"5", {source + mp3 + "-vf-add scale=852:-2,harddup" + lame + xvid}},
        {"6", {source + mp3 + "-vf-add scale=-2:540,harddup" + lame + xvid}},
        {"7", copy}};
    for (const auto& [code, lines] : cases)
        EXPECT_EQ(JobLines(options, Row("C:\\v\\movie.mkv", code)), lines) << code;
    for (const char* code : {"8", "9", "10", "11"})
        EXPECT_THAT(
            JobLines(options, Row("C:\\v\\movie.srt", code)),
            ElementsAre("ECHO Converting 'C:\\v\\movie.srt' To 'D:\\Out\\movie.srt'",
                        "\"C:\\App\\Charshift.exe\" \"C:\\v\\movie.srt\" \"D:\\Out\\movie.srt\" " +
                            std::string(code[1] ? "1" : "0") + " > C:\\Temp\\2.txt"));
    for (const char* code : {"-1", "12", "-7", "abc", ""})
        EXPECT_THAT(JobLines(options, Row("C:\\v\\movie.mkv", code)),
                    ElementsAre("ECHO Skip \"C:\\v\\movie.mkv\""));
    // Output names keep every dot but the last; the bit rate is the selected entry or the row's
    // own, limited.
    EXPECT_THAT(
        JobLines(options, Row("C:\\v.d\\clip.part.avi", "4", "4500"))[0],
        HasSubstr("bitrate=3000:threads=2:max_bframes=0 -o \"D:\\Out\\clip.part_XviD.avi\""));
    EXPECT_THAT(JobLines(options, Row("C:\\v.d\\noext", "1"))[0],
                HasSubstr("-o \"D:\\Out\\noext_mp3\""));
    options.bitrateIndex = 3;
    EXPECT_THAT(JobLines(options, Row("C:\\v\\a.avi", "4", "4500"))[0], HasSubstr("bitrate=640:"));
}

TEST(WriteScript, UnsupportedOnlyLeavesUsableFilesAndCopiesToTheDriveWhatAJobLeaves) {
    ScriptOptions options = CmdOptions();
    options.unsupportedOnly = true;
    const std::string skipCopy = "ECHO Skip Copy \"C:\\v\\a.avi\" To \"D:\\Out\\\" ";
    EXPECT_THAT(JobLines(options, Row("C:\\v\\a.avi", "0")), ElementsAre(skipCopy));
    EXPECT_THAT(JobLines(options, Row("C:\\v\\a.srt", "7")),
                ElementsAre("ECHO Skip Copy \"C:\\v\\a.srt\" To \"D:\\Out\\\" "));
    EXPECT_THAT(JobLines(options, Row("C:\\v\\a.avi", "4"))[0], HasSubstr("mencoder.exe"));
    options.copyToDrive = true;
    const std::string toDrive = " /to=\"E:\\\" > C:\\Temp\\2.txt";
    EXPECT_THAT(
        JobLines(options, Row("C:\\v\\a.avi", "0")),
        ElementsAre(skipCopy, "ECHO #STATUS#Copyto E:", kFastcopy + "\"C:\\v\\a.avi\"" + toDrive));
    EXPECT_EQ(JobLines(options, Row("C:\\v\\a.srt", "9")).back(),
              kFastcopy + "\"D:\\Out\\a.srt\"" + toDrive);
    EXPECT_EQ(JobLines(options, Row("C:\\v\\a.avi", "1")).back(),
              kFastcopy + "\"D:\\Out\\a_mp3.avi\"" + toDrive);
    for (const char* nothingToCopy : {"-1", "12", "x"})
        EXPECT_THAT(JobLines(options, Row("C:\\v\\a.avi", nothingToCopy)),
                    ElementsAre("ECHO Skip \"C:\\v\\a.avi\""));
}

TEST(WriteScript, SelectsByColumnOrOneRowAndKeepsEveryJobsMarkers) {
    const JobList rows = {Row("C:\\v\\a.avi", "4", "900", "MPEG-4 Visual", "FMP4"),
                          Row("C:\\v\\b.avi", "4", "900", "AVC", "avc1"),
                          Row("C:\\v\\c.avi", "4", "900", "MPEG-4 Visual", "")};
    // Each job's action up to its source's name.
    const auto actions = [&](const JobSelection& selection) {
        Lines lines = ScriptLines(CmdOptions(), rows, selection), firsts;
        for (size_t i = 3; i + 2 < lines.size(); i += 3)
            firsts.push_back(lines[i].substr(0, lines[i].find(".avi\"") + 5));
        return firsts;
    };
    const auto M = [](char file) { return kMencoder + "\"C:\\v\\" + file + ".avi\""; };
    const auto S = [](char file) {
        return "ECHO Skip \"C:\\v\\" + std::string(1, file) + ".avi\"";
    };
    EXPECT_EQ(actions({1, "MPEG-4 Visual"}), (Lines{M('a'), S('b'), M('c')}));
    EXPECT_EQ(actions({2, "(NULL)"}), (Lines{S('a'), S('b'), M('c')}));
    EXPECT_EQ(actions({1, "mpeg-4 visual"}), (Lines{S('a'), S('b'), S('c')}));
    EXPECT_EQ(actions({-1, "0", 1}), (Lines{M('b')}));
    const Lines byFormat = ScriptLines(CmdOptions(), rows, {1, "MPEG-4 Visual"});
    EXPECT_EQ(Lines(byFormat.begin() + 4, byFormat.begin() + 8),
              (Lines{"ECHO #JOB#Job:2/3", "ECHO #STATUS#Encoding", S('b'), "ECHO #JOB#Job:3/3"}));
    EXPECT_EQ(ScriptLines(CmdOptions(), rows, {-1, "0", 1})[1], "ECHO #JOB#Job:1/1");
    EXPECT_EQ(BuildScript(CmdOptions(), rows, {-1, "0", 1}).jobCount, 1);
}

TEST(WriteScript, NeverWritesOverAListedSource) {
    ScriptOptions options = CmdOptions();
    options.copyToDrive = true;
    const Lines lines =
        ScriptLines(options, {Row("C:\\v\\b.mkv", "5"), Row("D:\\Out\\B_XVID.AVI", "0"),
                              Row("C:\\v\\a.avi", "0"), Row("d:/out//a.avi", "0"),
                              Row("C:\\w\\b.srt", "8"), Row("D:\\Out\\b.srt", "11")});
    // A conversion takes a name of its own; a copy, which keeps its name, is refused.
    EXPECT_THAT(lines, Contains(HasSubstr("-o \"D:\\Out\\b (2)_XviD.avi\"")));
    EXPECT_THAT(lines, Contains(HasSubstr("\"C:\\w\\b.srt\" \"D:\\Out\\b (2).srt\" 0 >")));
    EXPECT_THAT(lines, Contains("ECHO Skip \"C:\\v\\a.avi\": \"D:\\Out\\a.avi\" is a source file "
                                "or another job's output"));
    EXPECT_THAT(lines, Not(Contains(HasSubstr("-o \"D:\\Out\\b_XviD.avi\""))));
    // Copies and conversions onto themselves stay: they leave the file as it was.
    EXPECT_THAT(lines, Contains(HasSubstr("\"d:/out//a.avi\" /to=\"D:\\Out\\\"")));
    EXPECT_THAT(lines, Contains(HasSubstr("\"D:\\Out\\b.srt\" \"D:\\Out\\b.srt\" 1 >")));
    // A refused job leaves nothing to copy to the drive.
    EXPECT_THAT(lines, Not(Contains(HasSubstr("\"C:\\v\\a.avi\" /to=\"E:\\\""))));
    options.outputFolder = "C:\\v";
    options.copyToDrive = false;
    EXPECT_THAT(JobLines(options, Row("C:\\v\\movie.srt", "11")),
                ElementsAre("ECHO Converting 'C:\\v\\movie.srt' To 'C:\\v\\movie.srt'",
                            "\"C:\\App\\Charshift.exe\" \"C:\\v\\movie.srt\" \"C:\\v\\movie.srt\" "
                            "1 > C:\\Temp\\2.txt"));
}

TEST(WriteScript, GivesEveryJobAnOutputNoOtherJobWrites) {
    ScriptOptions options = CmdOptions();
    options.copyToDrive = true;
    const Lines lines =
        ScriptLines(options, {Row("C:\\v\\clip.mp4", "4"), Row("C:\\v\\clip.mkv", "5"),
                              Row("C:\\w\\CLIP.avi", "4"), Row("C:\\v\\talk.srt", "10"),
                              Row("C:\\w\\talk.srt", "9"), Row("C:\\v\\x.avi", "0"),
                              Row("C:\\w\\x.avi", "0"), Row("C:\\v\\clip (2).mkv", "4")});
    const auto written = [&](const std::string& marker) {
        Lines names;
        for (const std::string& line : lines) {
            const size_t at = line.find(marker);
            if (at != std::string::npos)
                names.push_back(line.substr(
                    at + marker.size(), line.find('"', at + marker.size()) - at - marker.size()));
        }
        return names;
    };
    EXPECT_EQ(written("-o \"D:\\Out\\"), (Lines{"clip_XviD.avi", "clip (2)_XviD.avi",
                                                "CLIP (3)_XviD.avi", "clip (2) (2)_XviD.avi"}));
    EXPECT_EQ(written("\" \"D:\\Out\\"), (Lines{"talk.srt", "talk (2).srt"}));
    // The second x.avi cannot take another name: that job fails instead of replacing the first.
    EXPECT_THAT(lines, Contains("ECHO Skip \"C:\\w\\x.avi\": \"D:\\Out\\x.avi\" is a source file "
                                "or another job's output"));
    EXPECT_EQ(written("Copyto "), (Lines{"E:", "E:", "E:", "E:", "E:", "D:\\Out\\", "E:", "E:"}));
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
    EXPECT_EQ(JobLines(options, Row("C:\\v\\a&b.avi", "0"))[0],
              "ECHO #STATUS#Copyto D:\\R^&D %%USERNAME%%\\");
}

TEST(WriteScript, RefusesInputTheScriptCannotCarry) {
    const JobList rows = {Row("C:\\v\\a.avi", "4")};
    const ScriptOptions good = CmdOptions();
    EXPECT_THROW(BuildScript(good, {Row("C:\\v\\a\" & calc & \".avi", "4")}, {}), ScriptError);
    EXPECT_THROW(BuildScript(good, {Row("C:\\v\\a\r\nb.avi", "4")}, {}), ScriptError);
    for (const JobSelection& bad :
         {JobSelection{-1, "0", -1}, JobSelection{-1, "0", 1}, JobSelection{9, "x"}})
        EXPECT_THROW(BuildScript(good, rows, bad), ScriptError);
    EXPECT_THROW(BuildScript(good, {}, {-1, "0", 0}), ScriptError);
    EXPECT_NO_THROW(BuildScript(good, rows, {8, "1500"}));
    for (const char* tag : {"a/b", "a b", "../x", "t'q"}) {
        ScriptOptions options = good;
        options.runTag = tag;
        EXPECT_THROW(BuildScript(options, rows, {}), ScriptError) << tag;
    }
    EXPECT_THROW(kSh.CheckValue("The file name", std::string("a\0b", 3)), ScriptError);
    EXPECT_NO_THROW(kSh.CheckValue("The file name", "a\"b'c\nd"));
    EXPECT_THROW(kCmd.CheckValue("The file name", "a\nb"), ScriptError);
    for (std::string ScriptOptions::*field :
         {&ScriptOptions::outputFolder, &ScriptOptions::drive, &ScriptOptions::tempFolder}) {
        ScriptOptions options = good;
        options.copyToDrive = true;
        options.*field = "";
        EXPECT_THROW(BuildScript(options, rows, {}), ScriptError);
    }
}

TEST(ScriptSyntax, EscapesBatchOperatorsAndComparesPathsAsTheSystemNamesFiles) {
    const Pairs echoes = {
        {"#STATUS#Copyto D:\\R&D\\", "ECHO #STATUS#Copyto D:\\R^&D\\"},
        {"Skip \"C:\\R&D\\a.avi\"", "ECHO Skip \"C:\\R&D\\a.avi\""},
        {"Converting 'a|b>c<d^e' To 'x'", "ECHO Converting 'a^|b^>c^<d^^e' To 'x'"},
        {"Skip Copy \"a&b\" To \"c&d\" ", "ECHO Skip Copy \"a&b\" To \"c&d\" "},
        {"100% done", "ECHO 100%% done"}};
    for (const auto& [text, echo] : echoes) EXPECT_EQ(kCmd.Echo(text), echo) << text;
    // A redirection target is quoted only when it would split.
    EXPECT_EQ(kCmd.RedirectTarget("C:\\A&B\\2.txt") + kCmd.RedirectTarget("C:\\50%\\2.txt"),
              "\"C:\\A&B\\2.txt\"C:\\50%%\\2.txt");
    EXPECT_NE(kCmd.ComparablePath("\\\\server\\a"), kCmd.ComparablePath("\\server\\a"));
    const Pairs shSame = {{"/v/a.avi", "/v//a.avi"},
                          {"/v/./a.avi", "/v/a.avi"},
                          {"/./v/a.avi", "/v/a.avi"},
                          {"/v/.", "/v"}};
    for (const auto& [a, b] : shSame) EXPECT_EQ(kSh.ComparablePath(a), kSh.ComparablePath(b)) << a;
    const Pairs shDifferent = {
        {"/v/a.avi", "/v/A.avi"}, {"/v/.a.avi", "/v/a.avi"}, {"/v/../a.avi", "/a.avi"}};
    for (const auto& [a, b] : shDifferent)
        EXPECT_NE(kSh.ComparablePath(a), kSh.ComparablePath(b)) << a;
    const std::tuple<const char*, const char*, std::string> splits[] = {
        {"C:movie.mkv", "\\/:", "movie|.mkv"},
        {"/v/back\\slash.avi", "/", "back\\slash|.avi"},
        {"/v/.hidden", "/", "|.hidden"},
        {"/v.d/a.b.c", "/", "a.b|.c"},
        {"C:\\v.d\\movie", "\\/:", "movie|"}};
    for (const auto& [path, separators, parts] : splits)
        EXPECT_EQ(
            SplitFileName(path, separators).stem + "|" + SplitFileName(path, separators).extension,
            parts)
            << path;
    // A file name starting with a dash is never taken for an option.
    EXPECT_EQ(
        OperandPath("-o.avi", '/') + OperandPath("/v/-o.avi", '/') + OperandPath("-x.avi", '\\'),
        "./-o.avi/v/-o.avi.\\-x.avi");
}

}  // namespace
}  // namespace tessaro
