#include "update/info/kuInfoFile.h"

#include "platform/Paths.h"

namespace tessaro {
namespace {

bool IsControlCharacter(char c) {
    return static_cast<unsigned char>(c) < 32;
}

void AddValue(std::string_view text, const std::string& key, TkuStringList& files) {
    const std::string value = InfoFileValue(text, key);
    if (!value.empty()) files.Add(value);
}

}  // namespace

std::string InfoFileValue(std::string_view text, std::string_view key, bool braced) {
    // Keys are ASCII, so lower-casing keeps every byte where it was.
    const std::string pattern = platform::ToLowerAscii(key) + (braced ? "={" : "=");
    const std::size_t found = platform::ToLowerAscii(text).find(pattern);
    if (found == std::string::npos) return {};
    const std::size_t start = found + pattern.size();
    const std::size_t limit = text.size() >= 2 ? text.size() - 2 : 0;
    if (start >= limit) return {};
    const std::string_view candidate = text.substr(start, limit - start);
    std::size_t end = 0;
    while (end < candidate.size() &&
           (braced ? candidate[end] != '}' : !IsControlCharacter(candidate[end])))
        ++end;
    return std::string(candidate.substr(0, end));
}

void ReadInfoFileEntries(std::string_view text, TkuStringList& files) {
    files.Clear();
    AddValue(text, "#url", files);
    AddValue(text, "#url0", files);
    for (int n = files.Count() + 1;; ++n) {
        const std::string value = InfoFileValue(text, "#url" + std::to_string(n));
        if (value.empty()) break;
        files.Add(value);
    }
}

TdyUpgradeMethod InfoFileUpgradeMethod(std::string_view text) {
    const std::string method = InfoFileValue(text, "#method");
    if (method.starts_with('1')) return TdyUpgradeMethod::umUseExternalSetup;
    if (method.starts_with('2')) return TdyUpgradeMethod::umRedirectToURL;
    return TdyUpgradeMethod::umSelfUpgrade;
}

}  // namespace tessaro
