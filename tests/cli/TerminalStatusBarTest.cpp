#include "cli/TerminalStatusBar.h"

#include <gtest/gtest.h>

#include <sstream>

namespace tessaro::cli {
namespace {

struct Step {
    int panel;
    std::string text;
};

struct BarCase {
    const char* name;
    bool interactive;
    std::vector<Step> steps;
    std::string expected;
};

void PrintTo(const BarCase& c, std::ostream* out) { *out << c.name; }

class TerminalStatusBarTest : public ::testing::TestWithParam<BarCase> {};

TEST_P(TerminalStatusBarTest, ShowsTheRunAsItGoes) {
    std::ostringstream out;
    TerminalStatusBar bar(out, GetParam().interactive);
    for (const Step& step : GetParam().steps) bar.SetPanelText(step.panel, step.text);
    bar.Finish();
    EXPECT_EQ(out.str(), GetParam().expected);
}

const std::vector<Step> kRun = {{0, ""},          {1, ""},           {0, "Job:1/1"}, {1, "Encoding"},
                                {1, "Pos: 1.0s"}, {1, "Completed"},  {1, ""},        {0, "Completed"}};

INSTANTIATE_TEST_SUITE_P(
    Modes, TerminalStatusBarTest,
    ::testing::Values(BarCase{"PlainLines", false, kRun,
                              "Job:1/1\nJob:1/1  Encoding\nJob:1/1  Pos: 1.0s\nJob:1/1  Completed\nCompleted\n"},
                      BarCase{"OneLineOnATerminal", true, kRun,
                              "\r\x1b[KJob:1/1\r\x1b[KJob:1/1  Encoding\r\x1b[KJob:1/1  Pos: 1.0s"
                              "\r\x1b[KJob:1/1  Completed\r\x1b[KJob:1/1\r\x1b[KCompleted\n"},
                      BarCase{"RepeatedTextDrawnOnce", false, {{1, "Encoding"}, {1, "Encoding"}}, "Encoding\n"},
                      BarCase{"NothingShownNothingWritten", true, {{0, ""}, {1, ""}}, ""}),
    [](const ::testing::TestParamInfo<BarCase>& info) { return std::string(info.param.name); });

TEST(TerminalStatusBar, MessageGoesAboveTheStatusLine) {
    std::ostringstream out;
    TerminalStatusBar bar(out, true);
    bar.SetPanelText(0, "Job:1/2");
    bar.PrintMessage(out, "script: 3: fastcopy: not found");
    EXPECT_EQ(out.str(), "\r\x1b[KJob:1/2\r\x1b[Kscript: 3: fastcopy: not found\nJob:1/2");
}

}  // namespace
}  // namespace tessaro::cli
