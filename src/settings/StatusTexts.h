#pragma once

#include <string>

namespace tessaro {

// The texts the status bar shows when a run ends, stopped, completed or with
// failed jobs (that one holds "%d" for the failed jobs, then "%d" for all).
// They are empty until a language is applied; safe to use from any thread.
std::string StoppedText();
std::string CompletedText();
std::string FailedJobsText();
void SetStoppedText(std::string text);
void SetCompletedText(std::string text);
void SetFailedJobsText(std::string text);

}  // namespace tessaro
