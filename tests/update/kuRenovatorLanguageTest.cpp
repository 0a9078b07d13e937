#include "update/renovator/kuRenovatorLanguage.h"
#include "update/renovator/kuRenovatorMessageTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessaro {
namespace {

using L = TkuRenovatorLanguage;

class ScopedLocale final {
public:
    explicit ScopedLocale(const char* lcAll, const char* lang = nullptr) {
        Save("LC_ALL", lcAll);
        Save("LC_MESSAGES", nullptr);
        Save("LANG", lang);
    }
    ~ScopedLocale() {
        for (const auto& [name, value] : saved_)
            Set(name.c_str(), value ? value->c_str() : nullptr);
    }
    ScopedLocale(const ScopedLocale&) = delete;
    ScopedLocale& operator=(const ScopedLocale&) = delete;

private:
    static void Set(const char* name, const char* value) {
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    void Save(const char* name, const char* value) {
        const char* old = std::getenv(name);
        saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
        Set(name, value);
    }
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

TEST(LanguageDetection, WindowsLanguageIdsSelectTheirTables) {
    const std::vector<std::pair<std::uint16_t, std::uint16_t>> cases = {
        {0x0409, 41000}, {0x0809, 41000}, {0x0416, 41300}, {0x0816, 41250}, {0x0804, 42100},
        {0x0404, 42050}, {0x0C04, 42050}, {0x1004, 42100}, {0x0411, 41000}, {0x0407, 41100},
        {0x0419, 41050}, {0x041B, 42400}, {0x0414, 42350}, {0x0814, 42350}, {0x0000, 41000}};
    for (const auto& [id, base] : cases)
        EXPECT_EQ(LanguageBase(LanguageOfLangID(id)), base) << std::hex << id;
}

TEST(LanguageDetection, LocaleNamesGiveWindowsLanguageIds) {
    const std::vector<std::pair<const char*, std::uint16_t>> cases = {
        {"en_US.UTF-8", 0x0409}, {"pt_BR.UTF-8", 0x0416},
        {"pt_PT", 0x0816},       {"zh_CN.GB18030", 0x0804},
        {"zh_TW.UTF-8", 0x0404}, {"zh_SG", 0x1004},
        {"de_DE@euro", 0x0407},  {"ja_JP.UTF-8", 0x0411},
        {"nn_NO", 0x0814},       {"C", 0x0409},
        {"POSIX", 0x0409},       {"xx_YY", 0x0409},
        {"ru", 0x0419}};
    for (const auto& [locale, id] : cases) {
        const ScopedLocale scoped(locale);
        EXPECT_EQ(SystemDefaultLangID(), id) << locale;
    }
}

TEST(LanguageDetection, FirstSetVariableWinsAndAutoDetectsAgain) {
    {
        const ScopedLocale scoped(nullptr, "de_AT.UTF-8");
        EXPECT_EQ(SystemDefaultLangID(), 0x0407);
        SetRenovatorLanguage(L::wlAuto);
        EXPECT_EQ(CurrentLanguageBase(), 41100);
    }
    {
        const ScopedLocale scoped("", "fr_FR");
        EXPECT_EQ(SystemDefaultLangID(), 0x040C);
    }
    SetRenovatorLanguage(L::wlEnglish);
    EXPECT_EQ(KULangStr(0), "Application update wizard");
}

TEST(MessageTable, IdentifiersAndFixedEntries) {
    SetRenovatorLanguage(L::wlEnglish);
    EXPECT_EQ(LoadLangString(40997), "<AppTitle>");
    EXPECT_EQ(LoadLangString(40998), "Pendrel");
    EXPECT_EQ(LoadLangString(40999), "Renovator");
    EXPECT_EQ(LoadLangString(41000 + 24),
              "Newer version not found. You actually are\nusing most recent version of this "
              "program.");
    EXPECT_EQ(LoadLangString(41000 + kuRenovatorMessageCount), "");  // between two languages
    EXPECT_EQ(LoadLangString(42400 + 50), "");                       // after the last
    EXPECT_EQ(LoadLangString(40996), "");
    EXPECT_EQ(KULangStr(-1), "");
    EXPECT_EQ(KULangStr(kuRenovatorMessageCount), "");
    EXPECT_EQ(KUFmtLangStr(26, {std::string("http://example.invalid")}),
              "Host http://example.invalid unreachable.\n\nPlease check your Internet connection "
              "and\ntry to upgrade this software again later.");
}

std::vector<std::string> Specifiers(const std::string& text) {
    std::vector<std::string> found;
    for (std::size_t at = text.find('%'); at != std::string::npos; at = text.find('%', at + 1)) {
        std::size_t end = at + 1;
        if (end + 1 < text.size() && text[end] == '.' &&
            std::isdigit(static_cast<unsigned char>(text[end + 1])))
            end += 2;
        if (end < text.size() && std::string_view("sdf").find(text[end]) != std::string::npos)
            found.push_back(text.substr(at, end - at + 1));
    }
    return found;
}

// Words that several languages really write as English does.
bool SameWordInEnglish(int n) {
    return n == 15 || n == 16 || n == 19 || n == 21 || n == 13;
}

TEST(MessageTable, EveryLanguageTranslatesEveryMessageWithTheSameSpecifiers) {
    const TkuRenovatorMessages& english = kuRenovatorMessageTable[0];
    for (int l = 1; l <= kuRenovatorLanguageCount; ++l) {
        SetRenovatorLanguage(static_cast<L>(l));
        for (int n = 0; n < kuRenovatorMessageCount; ++n) {
            const std::string text = KULangStr(n);
            const std::string source = english[static_cast<std::size_t>(n)];
            SCOPED_TRACE("language " + std::to_string(l) + ", message " + std::to_string(n));
            EXPECT_FALSE(text.empty());
            EXPECT_EQ(Specifiers(text), Specifiers(source));
            EXPECT_EQ(std::count(text.begin(), text.end(), '&'),
                      std::count(source.begin(), source.end(), '&'));
            if (l > 1 && !SameWordInEnglish(n)) {
                EXPECT_NE(text, source);
            }
        }
        // Every message formats with the arguments the engine passes.
        const std::string note = KUFmtLangStr(23, {std::string("Tessaro"), std::string("NOTE")});
        EXPECT_NE(note.find("Tessaro"), std::string::npos);
        EXPECT_NE(note.find("NOTE"), std::string::npos);
        EXPECT_EQ(KUFmtLangStr(8, {std::int64_t{1}, std::int64_t{2}, std::int64_t{3}}).find('%'),
                  std::string::npos);
        EXPECT_NE(KUFmtLangStr(6, {1.5}).find(l == 1 ? "1.5" : "1"), std::string::npos);
    }
    SetRenovatorLanguage(L::wlGerman);
    EXPECT_EQ(KULangStr(0), "Upgrade Anwendungsassistent");
    SetRenovatorLanguage(L::wlEnglish);
}

}  // namespace
}  // namespace tessaro
