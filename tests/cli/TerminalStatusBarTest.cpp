#include "cli/TerminalStatusBar.h"

#include <gtest/gtest.h>

#include <sstream>

namespace tessaro::cli {
namespace {

using Steps = std::vector<std::pair<int, std::string>>;  // panel, text

TEST(TerminalStatusBar, ShowsTheRunAsItGoes) {
    const Steps run = {{0, ""},          {1, ""},          {0, "Job:1/1"}, {1, "Encoding"},
                       {1, "Pos: 1.0s"}, {1, "Completed"}, {1, ""},        {0, "Completed"}};
    const std::tuple<bool, Steps, std::string> cases[] = {
        {false, run,
         "Job:1/1\nJob:1/1  Encoding\nJob:1/1  Pos: 1.0s\nJob:1/1  Completed\nCompleted\n"},
        // A terminal keeps one line, redrawn in place.
        {true, run, "\r\x1b[KJob:1/1\r\x1b[KJob:1/1  Encoding\r\x1b[KJob:1/1  Pos: 1.0s"
                    "\r\x1b[KJob:1/1  Completed\r\x1b[KJob:1/1\r\x1b[KCompleted\n"},
        {false, {{1, "Encoding"}, {1, "Encoding"}}, "Encoding\n"},
        {true, {{0, ""}, {1, ""}}, ""}};
    for (const auto& [interactive, steps, expected] : cases) {
        std::ostringstream out;
        TerminalStatusBar bar(out, interactive);
        for (const auto& [panel, text] : steps) bar.SetPanelText(panel, text);
        bar.Finish();
        EXPECT_EQ(out.str(), expected);
    }
}

TEST(TerminalStatusBar, MessageGoesAboveTheStatusLine) {
    std::ostringstream out;
    TerminalStatusBar bar(out, true);
    bar.SetPanelText(0, "Job:1/2");
    bar.PrintMessage(out, "script: 3: fastcopy: not found");
    EXPECT_EQ(out.str(), "\r\x1b[KJob:1/2\r\x1b[Kscript: 3: fastcopy: not found\nJob:1/2");
}

}  // namespace
}  // namespace tessaro::cli
