#pragma once

#include <string>

namespace tessaro {

// The helper has no window: what goes wrong is written to standard error.
void Report(const std::string& message);

// ": " and the reason errno gives.
std::string ErrnoReason();

}  // namespace tessaro
