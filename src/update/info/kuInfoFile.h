#pragma once

#include <string>
#include <string_view>

#include "update/info/kuRenovatorInfo.h"
#include "update/utils/kuStringList.h"

namespace tessaro {

// The value of a key ("#version", "#url2", ...) in an info file's text: the
// first occurrence of key + "=" (+ "{" when braced) anywhere in the text,
// without regard to case. The value runs to the first "}" when braced, else to
// the first control character, and never into the last two characters of the
// text (normally its final CR LF). Empty when the key is absent.
std::string InfoFileValue(std::string_view text, std::string_view key, bool braced = false);
// The value that starts at that position of the text, ended as InfoFileValue ends it.
std::string InfoFileValueAt(std::string_view text, std::size_t start, bool braced);

// Clears the list and adds the file entries: "#url", then "#url0", then the
// numbered keys from one past the number of entries so far, up to the first
// gap. The list's Add drops an entry it already holds.
void ReadInfoFileEntries(std::string_view text, TkuStringList& files);

// "#method" by its first character: "1" external setup, "2" redirect to the
// first file entry, anything else (or no key) self-upgrade.
TdyUpgradeMethod InfoFileUpgradeMethod(std::string_view text);

}  // namespace tessaro
