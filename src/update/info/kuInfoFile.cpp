#include "update/info/kuInfoFile.h"

#include <unordered_map>
#include <vector>

#include "platform/Paths.h"

namespace tessaro {
namespace {

constexpr std::string_view kUrlKey = "#url";

bool IsControlCharacter(char c) {
    return static_cast<unsigned char>(c) < 32;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Where the value of each "#url" key starts, by the digits after "#url" ("" for
// "#url" itself), for its first occurrence; one pass over the lower-cased text, so
// that a long list costs no more than its length.
std::unordered_map<std::string_view, std::size_t> UrlValueStarts(std::string_view lower) {
    std::unordered_map<std::string_view, std::size_t> starts;
    for (std::size_t at = lower.find(kUrlKey); at != std::string_view::npos;
         at = lower.find(kUrlKey, at + 1)) {
        const std::size_t digits = at + kUrlKey.size();
        std::size_t end = digits;
        while (end < lower.size() && IsDigit(lower[end])) ++end;
        if (end < lower.size() && lower[end] == '=')
            starts.try_emplace(lower.substr(digits, end - digits), end + 1);
    }
    return starts;
}

}  // namespace

std::string InfoFileValue(std::string_view text, std::string_view key, bool braced) {
    // Keys are ASCII, so lower-casing keeps every byte where it was.
    const std::string pattern = platform::ToLowerAscii(key) + (braced ? "={" : "=");
    const std::size_t found = platform::ToLowerAscii(text).find(pattern);
    if (found == std::string::npos) return {};
    return InfoFileValueAt(text, found + pattern.size(), braced);
}

std::string InfoFileValueAt(std::string_view text, std::size_t start, bool braced) {
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
    const std::string lower = platform::ToLowerAscii(text);
    const auto starts = UrlValueStarts(lower);
    const auto value = [&](const std::string& digits) {
        const auto found = starts.find(digits);
        return found == starts.end() ? std::string() : InfoFileValueAt(text, found->second, false);
    };
    for (const char* head : {"", "0"})
        if (const std::string entry = value(head); !entry.empty()) files.Add(entry);
    std::vector<std::string> numbered;
    for (int n = files.Count() + 1;; ++n) {
        std::string entry = value(std::to_string(n));
        if (entry.empty()) break;
        numbered.push_back(std::move(entry));
    }
    files.AddStrings(numbered);
}

TdyUpgradeMethod InfoFileUpgradeMethod(std::string_view text) {
    const std::string method = InfoFileValue(text, "#method");
    if (method.starts_with('1')) return TdyUpgradeMethod::umUseExternalSetup;
    if (method.starts_with('2')) return TdyUpgradeMethod::umRedirectToURL;
    return TdyUpgradeMethod::umSelfUpgrade;
}

}  // namespace tessaro
