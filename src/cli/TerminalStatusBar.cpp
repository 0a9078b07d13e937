#include "cli/TerminalStatusBar.h"

#include <cmath>

#include "encode/RunMarkers.h"

namespace tessaro::cli {
namespace {

constexpr std::string_view kClearLine = "\r\x1b[K";
constexpr std::string_view kPanelGap = "  ";
// Seconds are sums of doubles; a second is a second within this much.
constexpr double kClockSlack = 1e-6;

std::string_view StateWord(JobState state) {
    switch (state) {
        case JobState::waiting:
            return "waiting";
        case JobState::converting:
            return "started";
        case JobState::done:
            return "done";
        case JobState::failed:
            return "failed";
        case JobState::stopped:
            return "stopped";
        case JobState::skipped:
            return "skipped";
    }
    return {};
}

}  // namespace

void TerminalStatusBar::SetPanelText(int panel, const std::string& text) {
    if (panel != kJobPanel && panel != kStatusPanel) return;
    panels_[static_cast<size_t>(panel)] = text;
    if (interactive_) Draw();
}

void TerminalStatusBar::SetProgress(const RunProgress& progress) {
    const std::vector<JobState> before = progress_ ? progress_->states : std::vector<JobState>{};
    progress_ = progress;
    if (interactive_) {
        Draw();
        return;
    }
    if (LogJobChanges(before)) return;
    const bool due = !lastProgressLine_ || progress.elapsedSeconds - *lastProgressLine_ >=
                                               kSecondsBetweenProgressLines - kClockSlack;
    if (!due || progress.current.empty()) return;
    // The encoder's record when the panel holds one; the list's figures in any case.
    LogLine(JobText({progress.current.front().number}, progress.jobCount) + std::string(kPanelGap) +
            panels_[kStatusPanel]);
}

bool TerminalStatusBar::LogJobChanges(const std::vector<JobState>& before) {
    bool logged = false;
    for (size_t i = 0; i < progress_->states.size(); ++i) {
        const JobState state = progress_->states[i];
        const JobState was = i < before.size() ? before[i] : JobState::waiting;
        if (state == was || state == JobState::waiting) continue;
        std::string line = JobText({static_cast<int>(i) + 1}, progress_->jobCount) +
                           std::string(kPanelGap) + std::string(StateWord(state));
        for (const JobProgress& job : progress_->current)
            if (job.number == static_cast<int>(i) + 1) line += " " + job.name;
        LogLine(line);
        logged = true;
    }
    return logged;
}

void TerminalStatusBar::LogLine(const std::string& text) {
    out_ << text << ProgressText() << '\n' << std::flush;
    if (progress_) lastProgressLine_ = progress_->elapsedSeconds;
}

void TerminalStatusBar::PrintMessage(std::ostream& stream, std::string_view message) {
    if (interactive_ && !shown_.empty()) ClearLine();
    stream << message << '\n' << std::flush;
    if (interactive_ && !shown_.empty()) {
        out_ << shown_ << std::flush;
    }
}

void TerminalStatusBar::Finish() {
    if (interactive_ && !shown_.empty()) out_ << '\n' << std::flush;
    if (!interactive_ && !panels_[kJobPanel].empty())
        out_ << panels_[kJobPanel] << '\n' << std::flush;
    shown_.clear();
}

std::string TerminalStatusBar::ProgressText() const {
    if (!progress_) return {};
    const int percent = static_cast<int>(std::floor(progress_->fraction * 100));
    std::string text = std::string(kPanelGap) + std::to_string(percent) + "%";
    if (progress_->etaSeconds) text += "  ETA " + FormatDuration(*progress_->etaSeconds);
    if (progress_->current.size() > 1)
        text += "  " + std::to_string(progress_->current.size()) + " jobs running";
    return text;
}

std::string TerminalStatusBar::Line() const {
    std::string line = panels_[kJobPanel];
    if (!panels_[kStatusPanel].empty())
        line += (line.empty() ? "" : std::string(kPanelGap)) + panels_[kStatusPanel];
    // Once the run has ended panel 0 holds its end, which needs no figures.
    if (!panels_[kStatusPanel].empty() || panels_[kJobPanel].starts_with(kJobTextPrefix))
        line += ProgressText();
    return line;
}

void TerminalStatusBar::Draw() {
    const std::string line = Line();
    if (line == shown_) return;
    ClearLine();
    out_ << line << std::flush;
    shown_ = line;
}

void TerminalStatusBar::ClearLine() {
    out_ << kClearLine;
}

}  // namespace tessaro::cli
