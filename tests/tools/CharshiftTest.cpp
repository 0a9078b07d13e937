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
// The code page comes from the argument, then TESSARO_SUBTITLE_CODEPAGE, then the locale.
std::vector<std::string> Environment(std::vector<std::string> settings) {
    std::vector<std::string> prefix = {"/usr/bin/env", "-u",     "TESSARO_SUBTITLE_CODEPAGE",
                                       "-u",           "LC_ALL", "-u",
                                       "LC_CTYPE",     "-u",     "LANG"};
    prefix.insert(prefix.end(), settings.begin(), settings.end());
    return prefix;
}
const std::vector<std::string> kWestern = Environment({"LANG=en_US.UTF-8"});

using Charshift = ToolTest;

TEST_F(Charshift, ConvertsEachSourceFormToTheCodePage) {
    const struct {
        std::string source;
        std::vector<std::string> tail;  // FLAG [CODEPAGE]
        std::string expected;
        std::vector<std::string> environment = kWestern;
        std::string codePage = "CP1252";
    } cases[] = {
        // clang-format off
        {"\xFF\xFE"s + kUtf16Le, {"0"}, kCp1252},
        {"\xFE\xFF"s + kUtf16Be, {"0"}, kCp1252},
        {kUtf16Le, {"0"}, kCp1252},
        {"\xEF\xBB\xBF"s + kUtf8, {"1"}, kCp1252},
        {kUtf8, {"1"}, kCp1252},
        {"", {"1"}, ""},
        {"\xFF\xFE"s, {"0"}, ""},
        {kHiragana, {"1", "CP932"}, "a\x82\xA0z", kWestern, "CP932"},
        {kHiragana, {"1"}, "a\x82\xA0z", Environment({"TESSARO_SUBTITLE_CODEPAGE=CP932"}), "CP932"},
        {kUtf8, {"1", "CP1252"}, kCp1252, Environment({"TESSARO_SUBTITLE_CODEPAGE=CP932"})},
        {kHiragana, {"1"}, "a\x82\xA0z",
         Environment({"LANG=en_US.UTF-8", "LC_ALL=ja_JP.UTF-8"}), "CP932"},
        {"\xD0\xB4\xD0\xB0"s, {"1"}, "\xE4\xE0", Environment({"LANG=ru_RU.UTF-8"}), "CP1251"},
        {"\xEF\xBD\xA1"s, {"1"}, "\xA1",
         Environment({"LC_CTYPE=ja_JP.eucJP", "LANG=el_GR"}), "CP932"},
        // clang-format on
    };
    const std::string source = File("in.srt"), output = File("out.srt");
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.source) + " " + c.codePage);
        WriteTextFile(source, c.source);
        std::filesystem::remove(output);
        std::vector<std::string> arguments{source, output};
        arguments.insert(arguments.end(), c.tail.begin(), c.tail.end());
        const ProgramRun run = RunTool("charshift", arguments, c.environment);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.out, "Converted '" + source + "' to '" + output + "' (" + c.codePage + ")\n");
        EXPECT_EQ(ReadTextFile(output), c.expected);
        EXPECT_EQ(ReadTextFile(source), c.source) << "source changed";
        EXPECT_EQ(run.err, "");
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

TEST_F(Charshift, ConvertsALargeFileAndKeepsTheOutputsMode) {
    std::string text, expected;
    for (int line = 0; line < 20000; ++line) {
        text += "caf\xC3\xA9 ok\n";
        expected += "caf\xE9 ok\n";
    }
    WriteTextFile(File("in.srt"), text);
    WriteTextFile(File("out.srt"), "old");
    ASSERT_EQ(::chmod(File("out.srt").c_str(), 0640), 0);
    const ProgramRun run = RunTool("charshift", {File("in.srt"), File("out.srt"), "1"}, kWestern);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(ReadTextFile(File("out.srt")) == expected);
    EXPECT_EQ(Status(File("out.srt")).st_mode & 0777, 0640u);
}

TEST_F(Charshift, RefusesAFifoInsteadOfWaitingForIt) {
    ASSERT_EQ(::mkfifo(File("in.srt").c_str(), 0600), 0);
    const ProgramRun run = RunTool("charshift", {File("in.srt"), File("out.srt"), "1"}, kWestern);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_THAT(run.err, HasSubstr("is not a regular file"));
    EXPECT_FALSE(std::filesystem::exists(File("out.srt")));
}

TEST_F(Charshift, FailsLoudlyAndLeavesEverythingAsItWas) {
    const struct {
        std::optional<std::string> source;  // in.srt, when there is one
        std::string output;                 // in the scratch folder unless absolute
        std::vector<std::string> tail;
        int exitCode;
        std::string errorPart;
    } cases[] = {
        // clang-format off
        {"caf\xE9 noir"s, "out.srt", {"1"}, 1, "invalid UTF-8"},
        {kHiragana, "out.srt", {"1"}, 1,
         "character 2, U+3042 '\xE3\x81\x82', has no place in CP1252"},
        {"a\xF0\x9F\x98\x80"s, "out.srt", {"1"}, 1, "character 2, U+1F600"},
        // A surrogate pair, then a lone D83D.
        {"\xFF\xFE" "a\0\x3D\xD8\x00\xDE" "b\0"s, "out.srt", {"0"}, 1, "U+1F600"},
        {"caf\xC3\xA9"s, "out.srt", {"1", "CP932"}, 1, "U+00E9 '\xC3\xA9', has no place in CP932"},
        {"caf\xE9"s, "out.srt", {"1"}, 1, "UTF-8"},
        {"\xFF\xFE" "a\0b"s, "out.srt", {"0"}, 1, "UTF-16LE"},
        {"\xFF\xFE" "a\0\x3D\xD8" "b\0"s, "out.srt", {"0"}, 1, "invalid UTF-16LE"},
        {std::nullopt, "out.srt", {"1"}, 1, "cannot read"},
        {kUtf8, "in.srt/out.srt", {"1"}, 1, "in.srt"},
        {kUtf8, "folder", {"1"}, 1, "folder"},
        {kUtf8, "/proc/self/tessaro.srt", {"1"}, 1, "/proc/self/tessaro.srt"},
        {kUtf8, "out.srt", {"2"}, 2, "Usage: charshift"},
        {kUtf8, "out.srt", {"utf8"}, 2, "FLAG must be"},
        {kUtf8, "out.srt", {"1", "NO-SUCH"}, 2, "unknown code page 'NO-SUCH'"},
        {kUtf8, "out.srt", {"1", "CP1252", "x"}, 2, "Usage: charshift"},
        // clang-format on
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
        const ProgramRun run = RunTool("charshift", arguments, kWestern);
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

TEST_F(Charshift, HelpSucceedsAndABareRunIsAUsageError) {
    const ProgramRun help = RunTool("charshift", {"--help"}), bare = RunTool("charshift", {});
    EXPECT_EQ(std::tuple(help.exitCode, bare.exitCode), std::tuple(0, 2));
    EXPECT_THAT(help.out, StartsWith("Usage: charshift"));
    EXPECT_THAT(bare.err, HasSubstr("Usage: charshift"));
}

}  // namespace
}  // namespace tessaro::test
