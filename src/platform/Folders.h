#pragma once

#include <string>

namespace tessaro::platform {

// Folder of the running executable, without a trailing separator.
std::string ProgramFolder();

// $TEMP when it names a folder of this user that no one else can write; else a
// private folder made inside $TEMP (when set) or ${TMPDIR:-/tmp} (see
// PrivateTempFolder), falling back to $XDG_RUNTIME_DIR. A folder other than
// the usual one is announced once on standard error. Throws
// std::runtime_error when no private folder can be had anywhere.
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
