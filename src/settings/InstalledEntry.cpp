#include "settings/InstalledEntry.h"

#include <filesystem>
#include <fstream>

namespace tessaro {

std::string InstalledDesktopEntry(const std::string& executablePath,
                                  const std::string& shortcutName) {
    namespace fs = std::filesystem;
    const fs::path folder = fs::path(executablePath).parent_path();
    const fs::path installed =
        folder.parent_path().parent_path() / kInstalledEntryFolder / (shortcutName + ".desktop");
    std::error_code error;
    const bool isInstalled =
        folder.parent_path().filename() / folder.filename() == kInstalledProgramFolder &&
        fs::is_regular_file(installed, error);
    return isInstalled ? installed.string() : std::string();
}

bool IsInstalledEntryFile(const std::string& path) {
    std::ifstream entry(path);
    for (std::string line; std::getline(entry, line);)
        if (line == kInstalledEntryMark) return true;
    return false;
}

}  // namespace tessaro
