#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tessaro {

class ProfileFile;

inline constexpr char kLanguageFileName[] = "LangJ.ini";
inline constexpr int kDefaultCharset = 1;     // DEFAULT_CHARSET
inline constexpr int kShiftJisCharset = 128;  // SHIFTJIS_CHARSET
inline constexpr int kMaxListedLanguages = 5;
inline constexpr char kDefaultFailedJobsText[] = "%d/%d failed";
inline constexpr char kUpdateCheckCancelCaption[] = "&Cancel update check";

// The texts of one language section, decoded to UTF-8: from CP932 for the
// section "Japanese" (the Shift-JIS charset), else as UTF-8 when the section's
// bytes are valid UTF-8, else from Windows-1252. A key present with an empty
// value gives the empty text; only an absent key gives the fallback.
class LanguageSection final {
public:
    LanguageSection(const ProfileFile& file, std::string sectionName);

    const std::string& Name() const { return name_; }
    // kShiftJisCharset when the section is exactly "Japanese", else kDefaultCharset.
    int Charset() const;

    std::optional<std::string> Text(std::string_view key) const;
    // A control's caption; `currentCaption` when the section lacks its name.
    std::string Caption(std::string_view objectName, std::string_view currentCaption) const;
    // "Columns" + column in decimal.
    std::string ColumnCaption(int column, std::string_view currentCaption) const;
    std::string StoppedText() const;       // "Status1", default "Stopped"
    std::string CompletedText() const;     // "Status2", default "Completed"
    std::string FailedJobsText() const;    // "Status3", default "%d/%d failed"
    std::string SelectDirCaption() const;  // "SelectDir", default "Select Directory"
    // "UpdateCheckCancel", default "&Cancel update check"
    std::string UpdateCheckCancelCaption() const;

private:
    std::string name_;
    std::vector<std::pair<std::string, std::string>> entries_;  // first match wins
};

// What the language selector shows and what, if anything, to apply.
struct LanguageChoice {
    // Items of the selector: empty when the file has no languages (the selector
    // then keeps its built-in single item "English"); at most five names.
    std::vector<std::string> names;
    int selectedIndex = 0;
    // Set only for a file listing exactly two languages, the second "Japanese":
    // the selected language's section, to apply with its charset.
    std::optional<LanguageSection> section;
};

// Folder of the program + "/LangJ.ini".
std::string LanguageFilePath();

// Reads section "Language" ("Count", "Lang_0" ...) of the file and picks the
// stored index when 0 < index < Count, else 0. A missing or unreadable file
// lists nothing.
LanguageChoice LoadLanguage(const std::string& languageFilePath, int storedIndex);

}  // namespace tessaro
