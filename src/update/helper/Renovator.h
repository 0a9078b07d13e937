#pragma once

#include <string>
#include <vector>

namespace tessaro {

// One run of the update helper: waits until the program has exited, puts the
// downloads into place and starts the program (or the downloaded setup, then
// the program) again. The queue file is read from `queueFolder` (with a
// trailing "/"). Returns the exit code: 0, or 1 when the program file stayed
// busy (nothing is replaced then) or a setup did not end.
int RunRenovator(const std::vector<std::string>& arguments, const std::string& queueFolder);

}  // namespace tessaro
