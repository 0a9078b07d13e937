#pragma once

#include <sys/types.h>

#include <string>
#include <string_view>

namespace tessaro::platform {

// Opens a fresh, hidden file for writing beside `path` (never following a
// link) and names it in `siblingPath`; -1 with errno set on failure. The caller
// fills it and renames it over `path`, or removes it, then calls
// RemoveOnTermination(nullptr) (see TerminationCleanup).
int CreateFileBeside(const std::string& path, mode_t mode, std::string& siblingPath);

// Writes the whole content to a fresh file beside `path` (never following a
// link) and renames it over `path`, so readers see the old file or the new
// one, never a half-written one. Returns false with a readable reason.
bool WriteFileAtomically(const std::string& path, std::string_view content, mode_t mode,
                         std::string* error);

}  // namespace tessaro::platform
