#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/RegistryStore.h"

namespace tessaro::platform {

// The keys and values of one registry root in memory, read from and written to
// the REGEDIT4 text format. Key paths are relative to the root; names compare
// without ASCII case. Keys are kept in tree order (each key before its
// subkeys, siblings alphabetical), values in the order they were created.
class RegistryHive final {
public:
    // nullopt when the text is not a REGEDIT4 file of this root (a bad line, an
    // unknown value form, a key of another root, a value outside any key).
    static std::optional<RegistryHive> Parse(std::string_view text, std::string_view rootName);
    std::string Format(std::string_view rootName) const;

    bool KeyExists(std::string_view key) const;
    const RegistryValue* FindValue(std::string_view key, std::string_view name) const;
    std::vector<std::string> SubKeyNames(std::string_view key) const;
    std::vector<std::string> ValueNames(std::string_view key) const;

    // These return false with a reason when the request cannot be stored.
    bool CreateKey(std::string_view key, std::string* error);
    bool SetValue(std::string_view key, std::string_view name, const RegistryValue& value,
                  std::string* error);
    bool DeleteValue(std::string_view key, std::string_view name, std::string* error);
    bool DeleteKey(std::string_view key, bool withSubKeys, std::string* error);

    // "a\\b\\" and "\\a\\\\b" both give "a\\b".
    static std::string NormaliseKeyPath(std::string_view key);

private:
    struct Value {
        std::string name;
        RegistryValue data;
        int rawType = -1;  // N of "hex(N):" for types kept only as bytes
    };
    struct Key {
        std::string path;
        std::vector<Value> values;
    };

    Key* FindKey(std::string_view path);
    const Key* FindKey(std::string_view path) const;
    Key& InsertKey(std::string path);
    bool ParseValueLine(std::string_view line, Key& key);

    std::vector<Key> keys_;
};

}  // namespace tessaro::platform
