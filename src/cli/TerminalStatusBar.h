#pragma once

#include <array>
#include <ostream>
#include <string>
#include <string_view>

#include "encode/StatusBar.h"

namespace tessaro::cli {

// The status bar of a run on a terminal: one line rewritten in place on a
// TTY, a plain line per change otherwise (logs, pipes).
class TerminalStatusBar final : public IStatusBar {
public:
    TerminalStatusBar(std::ostream& out, bool interactive) : out_(out), interactive_(interactive) {}

    void SetPanelText(int panel, const std::string& text) override;
    // A message of its own line; the status line is drawn again below it.
    void PrintMessage(std::ostream& stream, std::string_view message);
    // Leaves the status line as it stands, so that what follows starts a new one.
    void Finish();

private:
    std::string Line() const;
    void Draw();
    void ClearLine();

    std::ostream& out_;
    bool interactive_ = false;
    std::array<std::string, 2> panels_;
    std::string shown_;
};

}  // namespace tessaro::cli
