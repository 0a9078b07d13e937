#pragma once

#include <string>

namespace tessaro {

// The texts the status bar shows when a run ends, stopped or completed. Both
// are empty until a language is applied; safe to use from any thread.
std::string StoppedText();
std::string CompletedText();
void SetStoppedText(std::string text);
void SetCompletedText(std::string text);

}  // namespace tessaro
