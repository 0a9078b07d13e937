#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include "RecordingStatusBar.h"
#include "encode/CRedirect.h"

namespace tessaro {
namespace {

using testing::RecordingStatusBar;

struct ChunkCase {
    const char* name;
    std::string chunk;
    std::string job;     // panel 0 afterwards; "=" means untouched
    std::string status;  // panel 1 afterwards; "=" means untouched
};

const std::string kUntouched = "=";

void PrintTo(const ChunkCase& c, std::ostream* out) { *out << c.name; }

class OnOutputTest : public ::testing::TestWithParam<ChunkCase> {};

TEST_P(OnOutputTest, SetsThePanels) {
    const ChunkCase& c = GetParam();
    RecordingStatusBar bar;
    bar.panels = {kUntouched, kUntouched};
    CRedirect runner("unused.sh", bar);
    runner.OnOutput(c.chunk);
    EXPECT_EQ(bar.panels[0], c.job);
    EXPECT_EQ(bar.panels[1], c.status);
}

const std::string k300(300, 'x');

INSTANTIATE_TEST_SUITE_P(
    Chunks, OnOutputTest,
    ::testing::Values(
        ChunkCase{"JobAndStatusWithCrLf", "#JOB#Job:2/5\r\n#STATUS#Encoding\r\n", "Job:2/5", "Encoding"},
        ChunkCase{"JobAndStatusWithLf", "#JOB#Job:2/5\n#STATUS#Encoding\n", "Job:2/5", "Encoding"},
        ChunkCase{"LastStatusWins", "#STATUS#Encoding\r\n#STATUS#Copyto /media/x/\r\n", kUntouched,
                  "Copyto /media/x/"},
        ChunkCase{"LastJobWins", "#JOB#Job:1/3\n#JOB#Job:2/3\n", "Job:2/3", kUntouched},
        ChunkCase{"ProgressLineAtStart", "Pos:   1.2s     30f ( 3%)  25.00fps\rPos:   1.3s", kUntouched,
                  "Pos:   1.2s     30f ( 3%)  25.00fps"},
        ChunkCase{"ProgressLineElsewhere", "xPos:   1.2s     30f\r", kUntouched, kUntouched},
        ChunkCase{"StatusBeatsProgress", "Pos: 1s\r#STATUS#Completed\n", kUntouched, "Completed"},
        ChunkCase{"NoMarker", "MEncoder 1.5 (Debian)\nsuccess: format: 0\n", kUntouched, kUntouched},
        ChunkCase{"SplitMarkerHead", "output then #STA", kUntouched, kUntouched},
        ChunkCase{"SplitMarkerTail", "TUS#Encoding\n", kUntouched, kUntouched},
        ChunkCase{"LongStatusKeeps128", "#STATUS#" + k300, kUntouched, std::string(128, 'x')},
        ChunkCase{"LongMultibyteStatusKeeps128Characters",
                  "#STATUS#" + [] {
                      std::string s;
                      for (int i = 0; i < 200; ++i) s += "\xC3\xA9";
                      return s;
                  }(),
                  kUntouched,
                  [] {
                      std::string s;
                      for (int i = 0; i < 128; ++i) s += "\xC3\xA9";
                      return s;
                  }()},
        ChunkCase{"EmptyStatus", "#STATUS#\r\n", kUntouched, ""},
        ChunkCase{"TextAfterZeroByteIgnored", std::string("#JOB#Job:1/1\n\0#STATUS#Hidden\n", 29), "Job:1/1",
                  kUntouched},
        ChunkCase{"MarkerInsideLine", "echo said #JOB#Job:9/9 here\n", "Job:9/9 here", kUntouched}),
    [](const ::testing::TestParamInfo<ChunkCase>& info) { return std::string(info.param.name); });

TEST(OnOutput, SplitMarkerIsNotRecognisedAcrossChunks) {
    RecordingStatusBar bar;
    CRedirect runner("unused.sh", bar);
    runner.OnOutput("#STA");
    runner.OnOutput("TUS#Encoding\n");
    EXPECT_TRUE(bar.changes.empty());
}

TEST(OnOutput, EveryChunkReachesTheObserver) {
    RecordingStatusBar bar;
    CRedirect runner("unused.sh", bar);
    std::vector<std::string> seen;
    runner.SetOutputObserver([&](std::string_view chunk) { seen.emplace_back(chunk); });
    runner.OnOutput("plain\n");
    runner.OnOutput("#JOB#Job:1/1\n");
    EXPECT_EQ(seen, (std::vector<std::string>{"plain\n", "#JOB#Job:1/1\n"}));
}

struct FindCase {
    std::string text;
    std::string pattern;
    int start;
    int expected;
};

void PrintTo(const FindCase& c, std::ostream* out) {
    *out << '"' << c.text << "\" \"" << c.pattern << "\" " << c.start;
}

class FindFromTest : public ::testing::TestWithParam<FindCase> {};

TEST_P(FindFromTest, FindsTheFirstAtOrAfterStart) {
    const FindCase& c = GetParam();
    EXPECT_EQ(CRedirect::FindFrom(c.text, c.pattern, c.start), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, FindFromTest,
                         ::testing::Values(FindCase{"#JOB#a#JOB#b", "#JOB#", 0, 0},
                                           FindCase{"#JOB#a#JOB#b", "#JOB#", 1, 6},
                                           FindCase{"#JOB#a#JOB#b", "#JOB#", 6, 6},
                                           FindCase{"#JOB#a#JOB#b", "#JOB#", 7, -1},
                                           FindCase{"abc", "c", 2, 2},
                                           FindCase{"abc", "c", 3, -1},
                                           FindCase{"abc", "x", 0, -1},
                                           FindCase{"", "x", 0, -1},
                                           FindCase{"abc", "a", -1, -1}));

TEST(ReportError, ComposesMessageAndSystemTextAndLeavesThePanels) {
    RecordingStatusBar bar;
    CRedirect runner("unused.sh", bar);
    std::string output;
    runner.SetOutputObserver([&](std::string_view chunk) { output += chunk; });
    runner.ReportError("Error creating pipe", EMFILE);
    EXPECT_EQ(output, "Error creating pipe\r\nToo many open files\r\n");
    EXPECT_TRUE(bar.changes.empty());
    EXPECT_EQ(runner.ErrorText(), "Error creating pipe: Too many open files");
}

TEST(ReportError, FallsBackWhenTheSystemHasNoText) {
    RecordingStatusBar bar;
    CRedirect runner("unused.sh", bar);
    std::string output;
    runner.SetOutputObserver([&](std::string_view chunk) { output += chunk; });
    runner.ReportError("ReadFile fialed", 99999);
    EXPECT_EQ(output, "ReadFile fialed\r\nNo status because FormatMessage failed.\r\n");
    EXPECT_TRUE(runner.Failed());
}

TEST(ReportError, KeepsTheFirstFailure) {
    RecordingStatusBar bar;
    CRedirect runner("unused.sh", bar);
    runner.ReportError("Error creating process", ENOENT);
    runner.ReportError("Error closing pipe read handle.", EBADF);
    EXPECT_EQ(runner.ErrorText(), "Error creating process: No such file or directory");
}

TEST(CRedirect, StartsWithTheDesignedDefaults) {
    RecordingStatusBar bar;
    CRedirect runner("unused.sh", bar);
    EXPECT_EQ(runner.PollInterval(), 100);
    EXPECT_FALSE(runner.StopRequested());
    EXPECT_FALSE(runner.Failed());
    runner.SetSleepInterval(200);
    EXPECT_EQ(runner.PollInterval(), 200);
    runner.Stop();
    EXPECT_TRUE(runner.StopRequested());
}

}  // namespace
}  // namespace tessaro
