#pragma once

#include <string>

namespace tessaro {

// "---HTTP-DATA-BOUNDARY-" + Ch + "-" + Base64 of the local date and time +
// "---". The text also carries milliseconds, the process id and a running count,
// so every call gives a new boundary, and it stays short enough that the Base64
// part never breaks into lines.
std::string GenerateAttachBoundary(char ch);

}  // namespace tessaro
