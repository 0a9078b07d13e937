#include "cli/TerminalStatusBar.h"

namespace tessaro::cli {
namespace {

constexpr std::string_view kClearLine = "\r\x1b[K";
constexpr std::string_view kPanelGap = "  ";

}  // namespace

void TerminalStatusBar::SetPanelText(int panel, const std::string& text) {
    if (panel != kJobPanel && panel != kStatusPanel) return;
    panels_[static_cast<size_t>(panel)] = text;
    // A plain log gets a line when a text arrives, not when one is cleared.
    if (interactive_ || !text.empty()) Draw();
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
    shown_.clear();
}

std::string TerminalStatusBar::Line() const {
    if (panels_[kStatusPanel].empty()) return panels_[kJobPanel];
    if (panels_[kJobPanel].empty()) return panels_[kStatusPanel];
    return panels_[kJobPanel] + std::string(kPanelGap) + panels_[kStatusPanel];
}

void TerminalStatusBar::Draw() {
    const std::string line = Line();
    if (line == shown_) return;
    if (interactive_) {
        ClearLine();
        out_ << line << std::flush;
    } else if (!line.empty()) {
        out_ << line << '\n' << std::flush;
    }
    shown_ = line;
}

void TerminalStatusBar::ClearLine() {
    out_ << kClearLine;
}

}  // namespace tessaro::cli
