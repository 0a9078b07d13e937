#pragma once

#include <string>

#include "update/helper/RenovatorCommandLine.h"

namespace tessaro {

// Moves every download left in the program folder under its destination's
// name + ".uTMP" into place. Unless the program's own download was found, the
// first download that is a program file stands for the program: in a
// self-upgrade it replaces the program under the program's name; in
// external-setup mode it is the setup, kept hidden under its own name, and
// its path is returned. Empty when no setup was found.
std::string MoveSuffixedDownloads(const RenovatorCommand& command, bool ownDownloadFound);

}  // namespace tessaro
