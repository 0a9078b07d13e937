#pragma once

#include <string>

namespace tessaro {

// The shell folders the program asks for, with their Windows identifiers.
enum class SpecialFolder : int {
    personal = 5,  // the user's documents: XDG DOCUMENTS, else the home folder
    sendTo = 9,    // where "send to" entries go: $XDG_DATA_HOME/applications
};

// Sets `path` (no trailing separator) and returns true; false leaves it alone.
bool GetSpecialFolderPath(SpecialFolder folder, std::string& path);

}  // namespace tessaro
