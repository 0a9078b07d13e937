#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tessaro::platform {

enum class RegistryRoot { currentUser, localMachine, classesRoot };

// "HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE" or "HKEY_CLASSES_ROOT".
std::string_view RegistryRootName(RegistryRoot root);

using RegistryBinary = std::vector<std::uint8_t>;

// A string (REG_SZ), a double word (REG_DWORD) or raw bytes (REG_BINARY; values
// of other types read as their raw bytes too).
using RegistryValue = std::variant<std::string, std::uint32_t, RegistryBinary>;

// $TESSARO_REGISTRY_DIR when set, else $XDG_CONFIG_HOME/Clipwarp/registry.
std::string DefaultRegistryFolder();

// One registry root kept as a REGEDIT4 text file "<root name>.reg" in a folder.
// Key paths are relative to the root with "\" between the parts (leading and
// trailing backslashes are ignored); key and value names compare without ASCII
// case; an empty value name is the key's default value ("@").
//
// Every call reads the file afresh and every change rewrites it atomically under
// an advisory lock ("<file>.lock"), so several processes can share a root. A file that does not
// parse reads as empty; the first change moves it aside to "<file>.corrupt"
// (or "<file>.corrupt.N" when that exists) before writing a fresh file, so
// nothing the user had is destroyed.
//
// Changing calls return false with a readable reason in `error` (may be null).
class RegistryStore final {
public:
    explicit RegistryStore(RegistryRoot root);
    RegistryStore(RegistryRoot root, std::string folder);

    RegistryRoot Root() const { return root_; }
    const std::string& FilePath() const { return filePath_; }

    bool KeyExists(std::string_view key) const;
    bool ValueExists(std::string_view key, std::string_view name) const;
    std::optional<RegistryValue> ReadValue(std::string_view key, std::string_view name) const;
    // Only values of that very type; anything else gives nullopt.
    std::optional<std::string> ReadString(std::string_view key, std::string_view name) const;
    std::optional<std::uint32_t> ReadDword(std::string_view key, std::string_view name) const;
    std::optional<RegistryBinary> ReadBinary(std::string_view key, std::string_view name) const;

    // Names of the key's values, in stored order, as spelt when they were
    // created. Empty when the key does not exist.
    std::vector<std::string> ValueNames(std::string_view key) const;

    // Creates the key when needed; an existing value keeps its name's spelling.
    bool WriteValue(std::string_view key, std::string_view name, const RegistryValue& value,
                    std::string* error = nullptr);
    // False when the value (or its key) does not exist.
    bool DeleteValue(std::string_view key, std::string_view name, std::string* error = nullptr);
    // Deletes a key that has no subkeys, as RegDeleteKey does; false otherwise.
    bool DeleteKey(std::string_view key, std::string* error = nullptr);
    // Deletes the key with all its subkeys.
    bool DeleteKeyTree(std::string_view key, std::string* error = nullptr);

private:
    RegistryRoot root_ = RegistryRoot::currentUser;
    std::string folder_;
    std::string filePath_;
};

}  // namespace tessaro::platform
