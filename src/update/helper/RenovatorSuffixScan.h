#pragma once

#include <string>

#include "update/helper/RenovatorCommandLine.h"

namespace tessaro {

// Moves every download left in the program folder under its destination's
// name + ".uTMP" into place, each under its own name: only a download named
// exactly like the program replaces it, since on Linux every tool beside it is
// a program file too. In external-setup mode, unless the program's own download
// was found, the first download that is a program file is the setup, kept
// hidden under its own name, and its path is returned. Empty when no setup was
// found.
std::string MoveSuffixedDownloads(const RenovatorCommand& command, bool ownDownloadFound);

}  // namespace tessaro
