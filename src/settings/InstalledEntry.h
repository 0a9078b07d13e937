#pragma once

#include <string>

namespace tessaro {

// Where the install rules put the program folder and the desktop entry,
// relative to the install prefix.
inline constexpr char kInstalledProgramFolder[] = "lib/tessaro";
inline constexpr char kInstalledEntryFolder[] = "share/applications";
// The line that marks an entry as installed, not written by a program at its start.
inline constexpr char kInstalledEntryMark[] = "X-Tessaro-Installed=true";

// The desktop entry installed with the program at `executablePath`
// (PREFIX/lib/tessaro/NAME gives PREFIX/share/applications/shortcutName.desktop)
// when that file exists; "" for a program that was not installed.
std::string InstalledDesktopEntry(const std::string& executablePath,
                                  const std::string& shortcutName);

// Whether the desktop entry at `path` was installed (it holds the mark line).
bool IsInstalledEntryFile(const std::string& path);

}  // namespace tessaro
