#include "settings/ShellFolders.h"

#include "platform/Folders.h"
#include "platform/Paths.h"

namespace tessaro {

bool GetSpecialFolderPath(SpecialFolder folder, std::string& path) {
    std::string found;
    switch (folder) {
        case SpecialFolder::personal:
            found = platform::DocumentsFolder();
            break;
        case SpecialFolder::sendTo:
            found = platform::JoinPath(platform::DataHome(), "applications");
            break;
    }
    if (found.empty()) return false;
    path = std::move(found);
    return true;
}

}  // namespace tessaro
