#pragma once

#include <string>

namespace tessaro {

inline constexpr char kShortcutName[] = "Tessaro";
inline constexpr char kShortcutDescription[] = "Tessaro Video Encoder";

struct InstallRecord {
    std::string programVersion;    // what ReadVersionInfo gave, kept by the window
    bool shortcutWritten = false;  // the send-to entry was (re)created
};

// The main window's construction work: stores "VersionInfo" and "LastFolder"
// (the executable's folder with a trailing "/"), both always, and creates the
// send-to entry when either of them changed.
InstallRecord RecordInstallMarkers(const std::string& executablePath);

}  // namespace tessaro
