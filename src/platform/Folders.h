#pragma once

#include <string>

namespace tessaro::platform {

// Folder of the running executable, without a trailing separator.
std::string ProgramFolder();

// $TEMP when set, else a private per-user folder ${TMPDIR:-/tmp}/tessaro-<uid>,
// created with mode 0700. One found open to others (group- or world-writable,
// or holding another user's entries) is set aside for a fresh one. Throws
// std::runtime_error when that folder cannot be made safe (another user owns
// it, it is a link, or it is not a folder).
std::string TempFolder();

// $APPDATA when set, else $XDG_CONFIG_HOME, else ~/.config.
std::string ProfileFolder();

std::string HomeFolder();
std::string ConfigHome();  // $XDG_CONFIG_HOME or ~/.config
std::string DataHome();    // $XDG_DATA_HOME or ~/.local/share

// An XDG user directory such as "DOCUMENTS", "DESKTOP" or "PICTURES", read from
// user-dirs.dirs; falls back to the home folder as the desktop does.
std::string UserDirectory(const std::string& xdgName);

inline std::string DocumentsFolder() {
    return UserDirectory("DOCUMENTS");
}

}  // namespace tessaro::platform
