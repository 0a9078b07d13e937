#include "settings/AppIcon.h"

#include <filesystem>

#include "platform/AtomicFile.h"
#include "platform/Folders.h"
#include "platform/Paths.h"

namespace tessaro {

bool InstallAppIcon() {
    const std::string folder =
        platform::JoinPath(platform::DataHome(), "icons/hicolor/scalable/apps");
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    return platform::WriteFileAtomically(
        platform::JoinPath(folder, std::string(kAppIconName) + ".svg"), AppIconSvg(), 0644,
        nullptr);
}

}  // namespace tessaro
