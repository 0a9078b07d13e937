#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "update/utils/kuDateTime.h"

namespace tessaro {

class TkuStringList;

// The predefined roots by their Windows values; each is one file of the
// platform's registry store. Key paths are relative to the root with "\"
// between the parts; leading backslashes are ignored.
using HKEY = std::uint32_t;
inline constexpr HKEY HKEY_CLASSES_ROOT = 0x80000000;
inline constexpr HKEY HKEY_CURRENT_USER = 0x80000001;
inline constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002;

bool IsRegKeyExists(std::string_view key, HKEY root = HKEY_CURRENT_USER);
bool IsRegValueExists(std::string_view key, std::string_view name, HKEY root = HKEY_CURRENT_USER);

// Clears Value and sets it to the string value when there is one of at most
// 1023 bytes; returns whether the key exists.
bool RegGetStr(std::string_view key, std::string_view name, std::string& value,
               HKEY root = HKEY_CURRENT_USER);
std::string RegReadStr(std::string_view key, std::string_view name, HKEY root = HKEY_CURRENT_USER);
bool RegWriteStr(std::string_view key, std::string_view name, std::string_view value,
                 HKEY root = HKEY_CURRENT_USER);
bool RegWriteStrCULM(std::string_view key, std::string_view name, std::string_view value);

// A double word, or binary data of at most 4 bytes; Default otherwise.
std::int32_t RegReadInt(std::string_view key, std::string_view name, std::int32_t fallback,
                        HKEY root = HKEY_CURRENT_USER);
bool RegWriteInt(std::string_view key, std::string_view name, std::int32_t value,
                 HKEY root = HKEY_CURRENT_USER);
bool RegWriteIntCULM(std::string_view key, std::string_view name, std::int32_t value);
bool RegReadBool(std::string_view key, std::string_view name, bool fallback,
                 HKEY root = HKEY_CURRENT_USER);
bool RegWriteBool(std::string_view key, std::string_view name, bool value,
                  HKEY root = HKEY_CURRENT_USER);
// The 8 bytes of the date-time as binary data.
TDateTime RegReadDateTime(std::string_view key, std::string_view name, TDateTime fallback,
                          HKEY root = HKEY_CURRENT_USER);
bool RegWriteDateTime(std::string_view key, std::string_view name, TDateTime value,
                      HKEY root = HKEY_CURRENT_USER);

bool RegEraseValue(std::string_view key, std::string_view name, HKEY root = HKEY_CURRENT_USER);
bool RegEraseValueCULM(std::string_view key, std::string_view name);
// Without Recursive only a key without subkeys goes.
bool RegEraseKey(std::string_view key, HKEY root, bool recursive);
bool RegEraseKeyCULM(std::string_view key, bool recursive);

int RegGetValuesCount(std::string_view key, HKEY root = HKEY_CURRENT_USER);
// Clears Names and adds every value name in stored order; returns whether the key exists.
bool RegGetValueNames(std::string_view key, TkuStringList& names, HKEY root = HKEY_CURRENT_USER);

}  // namespace tessaro
