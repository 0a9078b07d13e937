#include "settings/SettingsRegistry.h"

#include "platform/RegistryStore.h"

namespace tessaro {

StoreResult StoreRegistryValue(const std::string& name, const std::string& value) {
    platform::RegistryStore store(platform::RegistryRoot::currentUser);
    if (store.ReadString(kSettingsKey, name) == value) return StoreResult::unchanged;
    return store.WriteValue(kSettingsKey, name, value) ? StoreResult::written
                                                       : StoreResult::unchanged;
}

}  // namespace tessaro
