#include "settings/LanguageFile.h"

#include <algorithm>

#include "platform/Folders.h"
#include "platform/Paths.h"
#include "settings/LegacyText.h"
#include "settings/ProfileFile.h"

namespace tessaro {
namespace {

constexpr char kLanguageSection[] = "Language";
constexpr char kJapanese[] = "Japanese";

using Entries = std::vector<std::pair<std::string, std::string>>;

// Values of one section, in file order; the first of a key's spellings wins.
Entries RawEntries(const ProfileFile& file, const std::string& section) {
    Entries entries;
    for (std::string& key : file.KeyNames(section)) {
        std::string value = file.ReadString(section, key, "");
        entries.emplace_back(std::move(key), std::move(value));
    }
    return entries;
}

bool AllValidUtf8(const Entries& entries) {
    return std::all_of(entries.begin(), entries.end(),
                       [](const auto& entry) { return IsValidUtf8(entry.second); });
}

// Shift-JIS for the Japanese charset; otherwise UTF-8 when the whole section is
// valid UTF-8, else the Western Windows code page.
void DecodeValues(Entries& entries, bool shiftJis) {
    if (!shiftJis && AllValidUtf8(entries)) return;
    const LegacyCodePage codePage = shiftJis ? LegacyCodePage::cp932 : LegacyCodePage::windows1252;
    for (auto& entry : entries) entry.second = DecodeLegacyText(entry.second, codePage);
}

std::vector<std::string> DecodeNames(std::vector<std::string> names) {
    const bool utf8 = std::all_of(names.begin(), names.end(), IsValidUtf8);
    if (!utf8)
        for (std::string& name : names) name = DecodeLegacyText(name, LegacyCodePage::windows1252);
    return names;
}

}  // namespace

LanguageSection::LanguageSection(const ProfileFile& file, std::string sectionName)
    : name_(std::move(sectionName)), entries_(RawEntries(file, name_)) {
    DecodeValues(entries_, Charset() == kShiftJisCharset);
}

int LanguageSection::Charset() const {
    return name_ == kJapanese ? kShiftJisCharset : kDefaultCharset;
}

std::optional<std::string> LanguageSection::Text(std::string_view key) const {
    const auto found = std::find_if(entries_.begin(), entries_.end(), [&](const auto& entry) {
        return platform::EqualsNoCase(entry.first, key);
    });
    if (found == entries_.end()) return std::nullopt;
    return found->second;
}

std::string LanguageSection::Caption(std::string_view objectName,
                                     std::string_view currentCaption) const {
    return Text(objectName).value_or(std::string(currentCaption));
}

std::string LanguageSection::ColumnCaption(int column, std::string_view currentCaption) const {
    return Caption("Columns" + std::to_string(column), currentCaption);
}

std::string LanguageSection::StoppedText() const {
    return Caption("Status1", "Stopped");
}

std::string LanguageSection::CompletedText() const {
    return Caption("Status2", "Completed");
}

std::string LanguageSection::FailedJobsText() const {
    return Caption("Status3", kDefaultFailedJobsText);
}

std::string LanguageSection::SelectDirCaption() const {
    return Caption("SelectDir", "Select Directory");
}

std::string LanguageSection::UpdateCheckCancelCaption() const {
    return Caption("UpdateCheckCancel", kUpdateCheckCancelCaption);
}

std::string LanguageFilePath() {
    return platform::JoinPath(platform::ProgramFolder(), kLanguageFileName);
}

LanguageChoice LoadLanguage(const std::string& languageFilePath, int storedIndex) {
    LanguageChoice choice;
    const std::optional<ProfileFile> file = ProfileFile::Load(languageFilePath);
    if (!file) return choice;
    const int count = file->ReadInteger(kLanguageSection, "Count", 0);
    if (count <= 0) return choice;
    std::vector<std::string> sectionNames;
    for (int i = 0; i < count && i < kMaxListedLanguages; ++i)
        sectionNames.push_back(
            file->ReadString(kLanguageSection, "Lang_" + std::to_string(i), "English"));
    choice.names = DecodeNames(sectionNames);
    // An index the selector does not list would leave it without a selection.
    const bool listed = storedIndex > 0 && storedIndex < count &&
                        storedIndex < static_cast<int>(sectionNames.size());
    choice.selectedIndex = listed ? storedIndex : 0;
    const bool qualifies = count <= 2 && sectionNames.size() == 2 && sectionNames[1] == kJapanese;
    if (qualifies)
        choice.section.emplace(*file, sectionNames[static_cast<size_t>(choice.selectedIndex)]);
    return choice;
}

}  // namespace tessaro
