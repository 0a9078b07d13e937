#include "update/utils/kuRegistry.h"

#include <cstring>
#include <optional>

#include "platform/RegistryStore.h"
#include "update/utils/kuStringList.h"
#include "update/utils/kuText.h"

namespace tessaro {
namespace {

using platform::RegistryBinary;
using platform::RegistryRoot;
using platform::RegistryStore;

constexpr std::size_t kStringBufferBytes = 1024;  // including the terminating zero

std::optional<RegistryStore> Store(HKEY root) {
    switch (root) {
        case HKEY_CURRENT_USER:
            return RegistryStore(RegistryRoot::currentUser);
        case HKEY_LOCAL_MACHINE:
            return RegistryStore(RegistryRoot::localMachine);
        case HKEY_CLASSES_ROOT:
            return RegistryStore(RegistryRoot::classesRoot);
        default:
            return std::nullopt;
    }
}

std::string KeyPath(std::string_view key) {
    return ExcludeLeadingBackslash(key);
}

std::optional<std::uint32_t> ReadFourBytes(const RegistryStore& store, std::string_view key,
                                           std::string_view name) {
    if (const auto dword = store.ReadDword(KeyPath(key), name)) return dword;
    const auto binary = store.ReadBinary(KeyPath(key), name);
    if (!binary || binary->empty() || binary->size() > 4) return std::nullopt;
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < binary->size(); ++i)
        value |= std::uint32_t{(*binary)[i]} << (8 * i);
    return value;
}

bool Write(std::string_view key, std::string_view name, const platform::RegistryValue& value,
           HKEY root) {
    auto store = Store(root);
    return store && store->WriteValue(KeyPath(key), name, value);
}

}  // namespace

bool IsRegKeyExists(std::string_view key, HKEY root) {
    const auto store = Store(root);
    return store && store->KeyExists(KeyPath(key));
}

bool IsRegValueExists(std::string_view key, std::string_view name, HKEY root) {
    const auto store = Store(root);
    return store && store->ValueExists(KeyPath(key), name);
}

bool RegGetStr(std::string_view key, std::string_view name, std::string& value, HKEY root) {
    value.clear();
    const auto store = Store(root);
    if (!store || !store->KeyExists(KeyPath(key))) return false;
    const auto text = store->ReadString(KeyPath(key), name);
    if (text && text->size() < kStringBufferBytes) value = *text;
    return true;
}

std::string RegReadStr(std::string_view key, std::string_view name, HKEY root) {
    std::string value;
    RegGetStr(key, name, value, root);
    return value;
}

bool RegWriteStr(std::string_view key, std::string_view name, std::string_view value, HKEY root) {
    return Write(key, name, std::string(value), root);
}

bool RegWriteStrCULM(std::string_view key, std::string_view name, std::string_view value) {
    const bool user = RegWriteStr(key, name, value, HKEY_CURRENT_USER);
    return RegWriteStr(key, name, value, HKEY_LOCAL_MACHINE) && user;
}

std::int32_t RegReadInt(std::string_view key, std::string_view name, std::int32_t fallback,
                        HKEY root) {
    const auto store = Store(root);
    if (!store) return fallback;
    const auto value = ReadFourBytes(*store, key, name);
    return value ? static_cast<std::int32_t>(*value) : fallback;
}

bool RegWriteInt(std::string_view key, std::string_view name, std::int32_t value, HKEY root) {
    return Write(key, name, static_cast<std::uint32_t>(value), root);
}

bool RegWriteIntCULM(std::string_view key, std::string_view name, std::int32_t value) {
    const bool user = RegWriteInt(key, name, value, HKEY_CURRENT_USER);
    return RegWriteInt(key, name, value, HKEY_LOCAL_MACHINE) && user;
}

bool RegReadBool(std::string_view key, std::string_view name, bool fallback, HKEY root) {
    return RegReadInt(key, name, fallback ? 1 : 0, root) != 0;
}

bool RegWriteBool(std::string_view key, std::string_view name, bool value, HKEY root) {
    return RegWriteInt(key, name, value ? 1 : 0, root);
}

TDateTime RegReadDateTime(std::string_view key, std::string_view name, TDateTime fallback,
                          HKEY root) {
    const auto store = Store(root);
    if (!store) return fallback;
    const auto binary = store->ReadBinary(KeyPath(key), name);
    if (!binary || binary->size() != sizeof(TDateTime)) return fallback;
    TDateTime value = 0;
    std::memcpy(&value, binary->data(), sizeof value);
    return value;
}

bool RegWriteDateTime(std::string_view key, std::string_view name, TDateTime value, HKEY root) {
    RegistryBinary bytes(sizeof value);
    std::memcpy(bytes.data(), &value, sizeof value);
    return Write(key, name, bytes, root);
}

bool RegEraseValue(std::string_view key, std::string_view name, HKEY root) {
    auto store = Store(root);
    return store && store->DeleteValue(KeyPath(key), name);
}

bool RegEraseValueCULM(std::string_view key, std::string_view name) {
    const bool user = RegEraseValue(key, name, HKEY_CURRENT_USER);
    return RegEraseValue(key, name, HKEY_LOCAL_MACHINE) && user;
}

bool RegEraseKey(std::string_view key, HKEY root, bool recursive) {
    auto store = Store(root);
    if (!store) return false;
    return recursive ? store->DeleteKeyTree(KeyPath(key)) : store->DeleteKey(KeyPath(key));
}

bool RegEraseKeyCULM(std::string_view key, bool recursive) {
    const bool user = RegEraseKey(key, HKEY_CURRENT_USER, recursive);
    return RegEraseKey(key, HKEY_LOCAL_MACHINE, recursive) && user;
}

int RegGetValuesCount(std::string_view key, HKEY root) {
    const auto store = Store(root);
    return store ? static_cast<int>(store->ValueNames(KeyPath(key)).size()) : 0;
}

bool RegGetValueNames(std::string_view key, TkuStringList& names, HKEY root) {
    names.Clear();
    const auto store = Store(root);
    if (!store || !store->KeyExists(KeyPath(key))) return false;
    for (const std::string& name : store->ValueNames(KeyPath(key))) names.Add(name);
    return true;
}

}  // namespace tessaro
