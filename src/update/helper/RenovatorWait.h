#pragma once

#include <chrono>
#include <string>

namespace tessaro {

// Long enough for a slow exit (a program saving its settings on a busy disk);
// a file busy for longer is not going to be freed by waiting.
inline constexpr std::chrono::milliseconds kDefaultWritableWait = std::chrono::minutes(2);

// The wait bound: TESSARO_RENOVATOR_WAIT_MS when it holds a positive number,
// else the default.
std::chrono::milliseconds WritableWaitBound();

// Whether a process the helper may look at (one of the same user) runs the file.
bool RunByAnyProcess(const std::string& path);

// Waits until the file can be opened for writing. A running executable cannot
// (ETXTBSY), so this ends once the program that runs it has exited; a file
// without write permission counts as free once no process runs it. True when
// the file became free or vanished; false when the bound passed first.
bool WaitUntilWritable(const std::string& path, std::chrono::milliseconds bound);

}  // namespace tessaro
