#pragma once

#include <array>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "encode/RunProgress.h"
#include "encode/StatusBar.h"

namespace tessaro::cli {

// The status bar of a run on a terminal: one line rewritten in place, with
// the whole list's percent and ETA. Elsewhere (logs, pipes) a line when a job
// starts or ends and at most one progress line a second, then the run's end.
class TerminalStatusBar final : public IStatusBar {
public:
    TerminalStatusBar(std::ostream& out, bool interactive) : out_(out), interactive_(interactive) {}

    void SetPanelText(int panel, const std::string& text) override;
    void SetProgress(const RunProgress& progress);
    // A message of its own line; the status line is drawn again below it.
    void PrintMessage(std::ostream& stream, std::string_view message);
    // Ends the status line; a plain log gets the run's end (panel 0) as its last line.
    void Finish();

    static constexpr double kSecondsBetweenProgressLines = 1.0;

private:
    std::string Line() const;
    std::string ProgressText() const;
    void Draw();
    void ClearLine();
    // A line for each job that started or ended since `before`; whether any did.
    bool LogJobChanges(const std::vector<JobState>& before);
    void LogLine(const std::string& text);

    std::ostream& out_;
    bool interactive_ = false;
    std::array<std::string, 2> panels_;
    std::string shown_;
    std::optional<RunProgress> progress_;
    std::optional<double> lastProgressLine_;
};

}  // namespace tessaro::cli
