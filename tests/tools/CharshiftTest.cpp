#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

#include "ScratchFolder.h"
#include "ToolRun.h"

namespace tessaro::testing {
namespace {

using namespace std::string_literals;

// "café €" plus a line break in each source form; CP1252 has both letters.
const std::string kUtf16LeText = "c\0a\0f\0\xE9\0 \0\xAC\x20\r\0\n\0"s;
const std::string kUtf16BeText = "\0c\0a\0f\0\xE9\0 \x20\xAC\0\r\0\n"s;
const std::string kUtf8Text = "caf\xC3\xA9 \xE2\x82\xAC\r\n"s;
const std::string kCp1252Text = "caf\xE9 \x80\r\n"s;

struct ConversionCase {
    const char* name;
    std::string source;
    std::string flag;
    std::vector<std::string> extraArguments;
    std::vector<std::pair<std::string, std::string>> environment;
    std::string expected;
    bool expectReplacementNote;
};

TEST(Charshift, ConvertsEachSourceFormToTheCodePage) {
    const std::vector<ConversionCase> cases = {
        {"UTF-16LE with mark", "\xFF\xFE"s + kUtf16LeText, "0", {}, {}, kCp1252Text, false},
        {"UTF-16BE with mark", "\xFE\xFF"s + kUtf16BeText, "0", {}, {}, kCp1252Text, false},
        {"UTF-16 without mark is little endian", kUtf16LeText, "0", {}, {}, kCp1252Text, false},
        {"UTF-8 with mark", "\xEF\xBB\xBF"s + kUtf8Text, "1", {}, {}, kCp1252Text, false},
        {"UTF-8 without mark", kUtf8Text, "1", {}, {}, kCp1252Text, false},
        {"UTF-8 empty", "", "1", {}, {}, "", false},
        {"UTF-16 mark only", "\xFF\xFE"s, "0", {}, {}, "", false},
        {"hiragana lacking in CP1252", "a\xE3\x81\x82z"s, "1", {}, {}, "a?z", true},
        {"emoji pair is one character",
         "\xFF\xFE"s + "a\0\x3D\xD8\x00\xDE"s + "b\0"s,
         "0",
         {},
         {},
         "a?b",
         true},
        {"CP932 by argument", "a\xE3\x81\x82z"s, "1", {"CP932"}, {}, "a\x82\xA0z", false},
        {"CP932 by environment",
         "a\xE3\x81\x82z"s,
         "1",
         {},
         {{"TESSARO_SUBTITLE_CODEPAGE", "CP932"}},
         "a\x82\xA0z",
         false},
        {"argument wins over environment",
         kUtf8Text,
         "1",
         {"CP1252"},
         {{"TESSARO_SUBTITLE_CODEPAGE", "CP932"}},
         kCp1252Text,
         false},
        {"CP932 lacks the accented letter", "caf\xC3\xA9"s, "1", {"CP932"}, {}, "caf?", true},
    };
    for (const ConversionCase& c : cases) {
        ScratchFolder scratch;
        const std::string source = scratch / "in.srt";
        const std::string output = scratch / "out.srt";
        WriteBytes(source, c.source);
        std::vector<std::string> arguments{source, output, c.flag};
        arguments.insert(arguments.end(), c.extraArguments.begin(), c.extraArguments.end());
        const ToolResult run = RunTool("charshift", arguments, {c.environment, std::nullopt});
        EXPECT_EQ(run.exitCode, 0) << c.name << ": " << run.err;
        EXPECT_EQ(run.out, "Converted '" + source + "' to '" + output + "'\n") << c.name;
        EXPECT_EQ(ReadBytes(output), c.expected) << c.name;
        EXPECT_EQ(ReadBytes(source), c.source) << c.name << ": source changed";
        EXPECT_EQ(run.err.find("'?'") != std::string::npos, c.expectReplacementNote)
            << c.name << ": " << run.err;
    }
}

TEST(Charshift, ConvertsInPlaceAndRefusesToConvertTwice) {
    ScratchFolder scratch;
    const std::string subtitle = scratch / "movie.srt";
    WriteBytes(subtitle, "\xEF\xBB\xBF"s + kUtf8Text);

    const ToolResult first = RunTool("charshift", {subtitle, subtitle, "1"});
    EXPECT_EQ(first.exitCode, 0) << first.err;
    EXPECT_EQ(ReadBytes(subtitle), kCp1252Text);

    // The converted text is no longer UTF-8: a second run must fail and keep it.
    const ToolResult second = RunTool("charshift", {subtitle, subtitle, "1"});
    EXPECT_EQ(second.exitCode, 1);
    EXPECT_NE(second.err.find("invalid UTF-8"), std::string::npos) << second.err;
    EXPECT_EQ(second.out, "");
    EXPECT_EQ(ReadBytes(subtitle), kCp1252Text);
}

TEST(Charshift, CountsEveryCharacterWrittenAsQuestionMark) {
    ScratchFolder scratch;
    const std::string source = scratch / "in.srt";
    const std::string output = scratch / "out.srt";
    std::string text;
    std::string expected;
    for (int line = 0; line < 20000; ++line) {
        text += "\xE3\x81\x82\xF0\x9F\x98\x80 ok\n";
        expected += "?? ok\n";
    }
    WriteBytes(source, text);
    const ToolResult run = RunTool("charshift", {source, output, "1"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(ReadBytes(output) == expected);
    EXPECT_NE(run.err.find("40000 character(s) that CP1252 lacks"), std::string::npos) << run.err;
}

TEST(Charshift, KeepsThePermissionBitsOfAReplacedOutput) {
    ScratchFolder scratch;
    const std::string source = scratch / "in.srt";
    const std::string output = scratch / "out.srt";
    WriteBytes(source, kUtf8Text);
    WriteBytes(output, "old");
    ASSERT_EQ(::chmod(output.c_str(), 0640), 0);
    const ToolResult run = RunTool("charshift", {source, output, "1"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    struct stat info {};
    ASSERT_EQ(::stat(output.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(ReadBytes(output), kCp1252Text);
}

struct FailureCase {
    const char* name;
    std::string source;  // written to in.srt unless empty and missingSource
    bool missingSource;
    std::string outputName;         // relative to the scratch folder
    std::vector<std::string> tail;  // FLAG and what follows
    int exitCode;
    std::string errorPart;
};

TEST(Charshift, FailsLoudlyAndLeavesTheOutputAlone) {
    const std::vector<FailureCase> cases = {
        {"code page text given as UTF-8",
         "caf\xE9 noir"s,
         false,
         "out.srt",
         {"1"},
         1,
         "invalid UTF-8"},
        {"code page byte at the very end", "caf\xE9"s, false, "out.srt", {"1"}, 1, "UTF-8"},
        {"odd UTF-16 length", "\xFF\xFE"s + "a\0b"s, false, "out.srt", {"0"}, 1, "UTF-16LE"},
        {"lone UTF-16 surrogate",
         "\xFF\xFE"s + "a\0\x3D\xD8"s + "b\0"s,
         false,
         "out.srt",
         {"0"},
         1,
         "invalid UTF-16LE"},
        {"missing source", "", true, "out.srt", {"1"}, 1, "cannot read"},
        {"output folder is a file", kUtf8Text, false, "in.srt/out.srt", {"1"}, 1, "in.srt"},
        {"output is a folder", kUtf8Text, false, "folder", {"1"}, 1, "folder"},
        {"flag out of range", kUtf8Text, false, "out.srt", {"2"}, 2, "Usage: charshift"},
        {"flag not a number", kUtf8Text, false, "out.srt", {"utf8"}, 2, "FLAG must be"},
        {"unknown code page",
         kUtf8Text,
         false,
         "out.srt",
         {"1", "NO-SUCH-PAGE"},
         2,
         "unknown code page 'NO-SUCH-PAGE'"},
        {"too many arguments",
         kUtf8Text,
         false,
         "out.srt",
         {"1", "CP1252", "x"},
         2,
         "Usage: charshift"},
    };
    for (const FailureCase& c : cases) {
        ScratchFolder scratch;
        const std::string source = scratch / "in.srt";
        const std::string output = scratch / c.outputName;
        if (!c.missingSource) WriteBytes(source, c.source);
        std::filesystem::create_directory(scratch / "folder");
        const bool outputIsFolder = c.outputName == "folder";
        const bool outputExists = !outputIsFolder && c.outputName.find('/') == std::string::npos;
        if (outputExists) WriteBytes(output, "previous text");
        std::vector<std::string> arguments{source, output};
        arguments.insert(arguments.end(), c.tail.begin(), c.tail.end());
        const ToolResult run = RunTool("charshift", arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.name << ": " << run.err;
        EXPECT_NE(run.err.find(c.errorPart), std::string::npos) << c.name << ": " << run.err;
        EXPECT_EQ(run.out, "") << c.name;
        if (outputIsFolder) {
            EXPECT_TRUE(std::filesystem::is_directory(output)) << c.name;
        } else if (outputExists) {
            EXPECT_EQ(ReadBytes(output), "previous text") << c.name;
        }
        if (!c.missingSource) {
            EXPECT_EQ(ReadBytes(source), c.source) << c.name;
        }
        // Nothing half-written may stay behind in the folder.
        const auto entries = std::distance(std::filesystem::directory_iterator(scratch.path()),
                                           std::filesystem::directory_iterator());
        EXPECT_EQ(entries, 1 + !c.missingSource + outputExists) << c.name;
    }
}

TEST(Charshift, WritingUnderProcFails) {
    ScratchFolder scratch;
    const std::string source = scratch / "in.srt";
    WriteBytes(source, kUtf8Text);
    const ToolResult run = RunTool("charshift", {source, "/proc/self/tessaro-out.srt", "1"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("/proc/self/tessaro-out.srt"), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
}

TEST(Charshift, HelpNamesTheFlagsAndTheCodePageChoice) {
    const ToolResult run = RunTool("charshift", {"--help"});
    EXPECT_EQ(run.exitCode, 0);
    for (const char* part : {"FLAG 0", "FLAG 1", "CP1252", "CP932", "TESSARO_SUBTITLE_CODEPAGE"}) {
        EXPECT_NE(run.out.find(part), std::string::npos) << part;
    }
    const ToolResult bare = RunTool("charshift", {});
    EXPECT_EQ(bare.exitCode, 2);
    EXPECT_NE(bare.err.find("Usage: charshift"), std::string::npos);
}

}  // namespace
}  // namespace tessaro::testing
