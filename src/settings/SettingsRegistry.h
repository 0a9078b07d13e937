#pragma once

#include <string>

namespace tessaro {

// The program's install markers live here, under HKEY_CURRENT_USER.
inline constexpr char kSettingsKey[] = "Software\\Clipwarp\\Settings";
inline constexpr char kVersionInfoValue[] = "VersionInfo";
inline constexpr char kLastFolderValue[] = "LastFolder";

enum class StoreResult : int { written = 0, unchanged = 1 };

// Writes `value` as a string under `name` in the settings key (created when
// missing) when it is absent or differs (case-sensitive). A store that cannot
// be written counts as unchanged. The registry folder is DefaultRegistryFolder().
StoreResult StoreRegistryValue(const std::string& name, const std::string& value);

}  // namespace tessaro
