// Prints the desktop entry the install rules put in share/applications: the
// program's own entry text, for the command on the PATH, marked as installed.
#include <iostream>

#include "settings/InstallMarkers.h"
#include "settings/InstalledEntry.h"
#include "settings/SendToShortcut.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: tessaro-desktop-entry COMMAND\n";
        return 2;
    }
    std::cout << tessaro::DesktopEntryForCommand(argv[1], tessaro::kShortcutDescription,
                                                 tessaro::kShortcutName)
              << tessaro::kInstalledEntryMark << '\n';
    return std::cout.flush() ? 0 : 1;
}
