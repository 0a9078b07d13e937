#include <optional>

#include "ToolTest.h"

namespace tessaro::test {
namespace {

using namespace std::string_literals;

// "café €" plus a line break in each source form; CP1252 has both letters.
const std::string kUtf16Le = "c\0a\0f\0\xE9\0 \0\xAC\x20\r\0\n\0"s;
const std::string kUtf16Be = "\0c\0a\0f\0\xE9\0 \x20\xAC\0\r\0\n"s;
const std::string kUtf8 = "caf\xC3\xA9 \xE2\x82\xAC\r\n"s;
const std::string kCp1252 = "caf\xE9 \x80\r\n"s;
const std::string kHiragana = "a\xE3\x81\x82z"s;
const std::vector<std::string> kCp932Env = {"/usr/bin/env", "TESSARO_SUBTITLE_CODEPAGE=CP932"};

using Charshift = ToolTest;

// A '?' in the expected text is a lacking character, which the tool must report.
TEST_F(Charshift, ConvertsEachSourceFormToTheCodePage) {
    const struct {
        std::string source;
        std::vector<std::string> tail;  // FLAG [CODEPAGE]
        std::string expected;
        std::vector<std::string> prefix = {};
    } cases[] = {
        {"\xFF\xFE"s + kUtf16Le, {"0"}, kCp1252},  {"\xFE\xFF"s + kUtf16Be, {"0"}, kCp1252},
        {kUtf16Le, {"0"}, kCp1252},                {"\xEF\xBB\xBF"s + kUtf8, {"1"}, kCp1252},
        {kUtf8, {"1"}, kCp1252},                   {"", {"1"}, ""},
        {"\xFF\xFE"s, {"0"}, ""},                  {kHiragana, {"1"}, "a?z"},
        {"\xFF\xFE" "a\0\x3D\xD8\x00\xDE" "b\0"s, {"0"}, "a?b"},  // one surrogate pair
        {kHiragana, {"1", "CP932"}, "a\x82\xA0z"}, {kHiragana, {"1"}, "a\x82\xA0z", kCp932Env},
        {kUtf8, {"1", "CP1252"}, kCp1252, kCp932Env}, {"caf\xC3\xA9"s, {"1", "CP932"}, "caf?"},
    };
    const std::string source = File("in.srt"), output = File("out.srt");
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.source) + " " + c.tail.back());
        WriteTextFile(source, c.source);
        std::filesystem::remove(output);
        std::vector<std::string> arguments{source, output};
        arguments.insert(arguments.end(), c.tail.begin(), c.tail.end());
        const ProgramRun run = RunTool("charshift", arguments, c.prefix);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.out, "Converted '" + source + "' to '" + output + "'\n");
        EXPECT_EQ(ReadTextFile(output), c.expected);
        EXPECT_EQ(ReadTextFile(source), c.source) << "source changed";
        const bool replaced = c.expected.find('?') != std::string::npos;
        EXPECT_EQ(run.err.find("'?'") != std::string::npos, replaced);
    }
}

TEST_F(Charshift, ConvertsInPlaceAndRefusesToConvertTwice) {
    const std::string subtitle = File("movie.srt");
    WriteTextFile(subtitle, "\xEF\xBB\xBF"s + kUtf8);
    EXPECT_EQ(RunTool("charshift", {subtitle, subtitle, "1"}).exitCode, 0);
    EXPECT_EQ(ReadTextFile(subtitle), kCp1252);
    // The converted text is no longer UTF-8: a second run must fail and keep it.
    const ProgramRun second = RunTool("charshift", {subtitle, subtitle, "1"});
    EXPECT_EQ(second.exitCode, 1);
    EXPECT_THAT(second.err, HasSubstr("invalid UTF-8"));
    EXPECT_EQ(second.out, "");
    EXPECT_EQ(ReadTextFile(subtitle), kCp1252);
}

TEST_F(Charshift, CountsEveryLackingCharacterAndKeepsTheOutputsMode) {
    std::string text, expected;
    for (int line = 0; line < 20000; ++line) {
        text += "\xE3\x81\x82\xF0\x9F\x98\x80 ok\n";
        expected += "?? ok\n";
    }
    WriteTextFile(File("in.srt"), text);
    WriteTextFile(File("out.srt"), "old");
    ASSERT_EQ(::chmod(File("out.srt").c_str(), 0640), 0);
    const ProgramRun run = RunTool("charshift", {File("in.srt"), File("out.srt"), "1"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(ReadTextFile(File("out.srt")) == expected);
    EXPECT_THAT(run.err, HasSubstr("40000 character(s) that CP1252 lacks"));
    EXPECT_EQ(Status(File("out.srt")).st_mode & 0777, 0640u);
}

TEST_F(Charshift, FailsLoudlyAndLeavesEverythingAsItWas) {
    const struct {
        std::optional<std::string> source;  // in.srt, when there is one
        std::string output;                 // in the scratch folder unless absolute
        std::vector<std::string> tail;
        int exitCode;
        std::string errorPart;
    } cases[] = {
        {"caf\xE9 noir"s, "out.srt", {"1"}, 1, "invalid UTF-8"},
        {"caf\xE9"s, "out.srt", {"1"}, 1, "UTF-8"},
        {"\xFF\xFE" "a\0b"s, "out.srt", {"0"}, 1, "UTF-16LE"},
        {"\xFF\xFE" "a\0\x3D\xD8" "b\0"s, "out.srt", {"0"}, 1, "invalid UTF-16LE"},  // lone D83D
        {std::nullopt, "out.srt", {"1"}, 1, "cannot read"},
        {kUtf8, "in.srt/out.srt", {"1"}, 1, "in.srt"},
        {kUtf8, "folder", {"1"}, 1, "folder"},
        {kUtf8, "/proc/self/tessaro.srt", {"1"}, 1, "/proc/self/tessaro.srt"},
        {kUtf8, "out.srt", {"2"}, 2, "Usage: charshift"},
        {kUtf8, "out.srt", {"utf8"}, 2, "FLAG must be"},
        {kUtf8, "out.srt", {"1", "NO-SUCH"}, 2, "unknown code page 'NO-SUCH'"},
        {kUtf8, "out.srt", {"1", "CP1252", "x"}, 2, "Usage: charshift"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.errorPart);
        testing::TempDir scratch;
        const std::string source = scratch.File("in.srt");
        if (c.source) WriteTextFile(source, *c.source);
        WriteTextFile(scratch.File("out.srt"), "previous text");
        std::filesystem::create_directory(scratch.File("folder"));
        std::vector<std::string> arguments{
            source, c.output.front() == '/' ? c.output : scratch.File(c.output)};
        arguments.insert(arguments.end(), c.tail.begin(), c.tail.end());
        const ProgramRun run = RunTool("charshift", arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
        EXPECT_THAT(run.err, HasSubstr(c.errorPart));
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(ReadTextFile(scratch.File("out.srt")), "previous text");
        EXPECT_TRUE(std::filesystem::is_directory(scratch.File("folder")));
        EXPECT_EQ(ReadTextFile(source), c.source.value_or(""));
        // Nothing half-written may stay behind.
        EXPECT_EQ(EntriesIn(scratch.Path()), 2 + c.source.has_value());
    }
}

TEST_F(Charshift, HelpNamesTheFlagsAndTheCodePageChoice) {
    const ProgramRun run = RunTool("charshift", {"--help"}), bare = RunTool("charshift", {});
    EXPECT_EQ(run.exitCode, 0);
    for (const char* part : {"FLAG 0", "FLAG 1", "CP1252", "CP932", "TESSARO_SUBTITLE_CODEPAGE"})
        EXPECT_THAT(run.out, HasSubstr(part));
    EXPECT_EQ(bare.exitCode, 2);
    EXPECT_THAT(bare.err, HasSubstr("Usage: charshift"));
}

}  // namespace
}  // namespace tessaro::test
