#include "cli/TerminalStatusBar.h"

#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <vector>

namespace tessaro::cli {
namespace {

using Steps = std::vector<std::pair<int, std::string>>;  // panel, text

TEST(TerminalStatusBar, ShowsTheRunAsItGoes) {
    const Steps run = {{0, ""},          {1, ""},          {0, "Job:1/1"}, {1, "Encoding"},
                       {1, "Pos: 1.0s"}, {1, "Completed"}, {1, ""},        {0, "Completed"}};
    const std::tuple<bool, Steps, std::string> cases[] = {
        // A log gets the run's end; without progress there is nothing else to say.
        {false, run, "Completed\n"},
        // A terminal keeps one line, redrawn in place.
        {true, run,
         "\r\x1b[KJob:1/1\r\x1b[KJob:1/1  Encoding\r\x1b[KJob:1/1  Pos: 1.0s"
         "\r\x1b[KJob:1/1  Completed\r\x1b[KJob:1/1\r\x1b[KCompleted\n"},
        {false, {{1, "Encoding"}, {1, "Encoding"}}, ""},
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

RunProgress Progress(double elapsed, std::vector<JobState> states, double fraction,
                     std::optional<double> eta) {
    RunProgress progress;
    progress.jobCount = static_cast<int>(states.size());
    for (size_t i = 0; i < states.size(); ++i)
        if (states[i] == JobState::converting)
            progress.current.push_back({static_cast<int>(i) + 1, "clip.mkv", 0});
    progress.states = std::move(states);
    progress.elapsedSeconds = elapsed;
    progress.fraction = fraction;
    progress.etaSeconds = eta;
    return progress;
}

TEST(TerminalStatusBar, CarriesTheWholeListsPercentAndEta) {
    using S = JobState;
    std::ostringstream log, terminal;
    TerminalStatusBar plain(log, false), live(terminal, true);
    for (TerminalStatusBar* bar : {&plain, &live}) {
        bar->SetProgress(Progress(0, {S::waiting, S::waiting}, 0, std::nullopt));
        bar->SetPanelText(0, "Job:1/2");
        bar->SetProgress(Progress(0.1, {S::converting, S::waiting}, 0, std::nullopt));
        // Records come many times a second; a log gets at most one a second.
        for (int tenth = 2; tenth <= 25; ++tenth) {
            bar->SetPanelText(1, "Pos: " + std::to_string(tenth) + "s");
            bar->SetProgress(
                Progress(tenth / 10.0, {S::converting, S::waiting}, tenth / 100.0, 75.0 - tenth));
        }
        bar->SetPanelText(0, "Job:2/2");
        bar->SetProgress(Progress(3, {S::failed, S::converting}, 0.5, 65.0));
        bar->SetPanelText(1, "");
        bar->SetPanelText(0, "1 of 2 jobs failed");
        bar->SetProgress(Progress(4, {S::failed, S::done}, 1, 0.0));
        bar->Finish();
    }
    EXPECT_EQ(log.str(),
              "Job:1/2  started clip.mkv  0%\n"
              "Job:1/2  Pos: 11s  11%  ETA 1:04\n"
              "Job:1/2  Pos: 21s  21%  ETA 0:54\n"
              "Job:1/2  failed  50%  ETA 1:05\n"
              "Job:2/2  started clip.mkv  50%  ETA 1:05\n"
              "Job:2/2  done  100%  ETA 0:00\n"
              "1 of 2 jobs failed\n");
    EXPECT_NE(terminal.str().find("\r\x1b[KJob:1/2  Pos: 25s  25%  ETA 0:50"), std::string::npos)
        << terminal.str();
    EXPECT_TRUE(terminal.str().ends_with("\r\x1b[K1 of 2 jobs failed\n")) << terminal.str();
}

}  // namespace
}  // namespace tessaro::cli
