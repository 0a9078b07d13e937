#include "settings/InstallMarkers.h"

#include "platform/Paths.h"
#include "settings/ProgramVersion.h"
#include "settings/SendToShortcut.h"
#include "settings/SettingsRegistry.h"

namespace tessaro {

InstallRecord RecordInstallMarkers(const std::string& executablePath) {
    InstallRecord record;
    record.programVersion = ReadVersionInfo(executablePath);
    const std::string folder = platform::JoinPath(platform::ExtractFileDir(executablePath), "");
    // Both markers are stored whatever the first one gave.
    const StoreResult version = StoreRegistryValue(kVersionInfoValue, record.programVersion);
    const StoreResult location = StoreRegistryValue(kLastFolderValue, folder);
    if (version != StoreResult::unchanged || location != StoreResult::unchanged)
        record.shortcutWritten =
            CreateSendToShortcut(executablePath, kShortcutDescription, kShortcutName);
    return record;
}

}  // namespace tessaro
