#pragma once

#include <string>

namespace tessaro {

// Starts the result file in that folder afresh; without it nothing is recorded.
void StartResult(const std::string& folder);

// The helper has no window: what goes wrong is written to standard error and
// recorded in the result file, which the restarted program reads.
void Report(const std::string& message);
// Records a file put in place.
void ReportMoved(const std::string& destination);

// ": " and the reason errno gives.
std::string ErrnoReason();

}  // namespace tessaro
