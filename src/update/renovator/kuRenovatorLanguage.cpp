#include "update/renovator/kuRenovatorLanguage.h"

#include <array>
#include <atomic>
#include <cstdlib>
#include <string_view>

#include "update/renovator/kuRenovatorMessageTable.h"

namespace tessaro {
namespace {

constexpr std::uint16_t kPrimaryPortuguese = 0x16;
constexpr std::uint16_t kPrimaryChinese = 0x04;
constexpr std::uint16_t kEnglishUS = 0x0409;

// Windows primary language ids of languages 1 to 29, in table order.
constexpr std::array<std::uint16_t, kuRenovatorLanguageCount> kPrimaryIds = {
    0x09, 0x19, 0x07, 0x0C, 0x0A, 0x16, 0x16, 0x10, 0x13, 0x06, 0x1D, 0x0B, 0x25, 0x22, 0x15,
    0x05, 0x0E, 0x18, 0x03, 0x2D, 0x36, 0x04, 0x04, 0x21, 0x3E, 0x0F, 0x1F, 0x14, 0x1B};

struct LocaleLanguage {
    std::string_view code;
    std::uint16_t primary;
};

// ISO 639 codes of locales and their Windows primary language ids; languages
// without a message table map to English anyway, but keep their own id.
constexpr LocaleLanguage kLocaleLanguages[] = {
    {"af", 0x36}, {"ar", 0x01}, {"bg", 0x02}, {"ca", 0x03}, {"cs", 0x05}, {"da", 0x06},
    {"de", 0x07}, {"el", 0x08}, {"en", 0x09}, {"es", 0x0A}, {"et", 0x25}, {"eu", 0x2D},
    {"fi", 0x0B}, {"fr", 0x0C}, {"he", 0x0D}, {"hr", 0x1A}, {"hu", 0x0E}, {"id", 0x21},
    {"is", 0x0F}, {"it", 0x10}, {"ja", 0x11}, {"ko", 0x12}, {"lt", 0x27}, {"lv", 0x26},
    {"ms", 0x3E}, {"nb", 0x14}, {"nl", 0x13}, {"nn", 0x14}, {"no", 0x14}, {"pl", 0x15},
    {"pt", 0x16}, {"ro", 0x18}, {"ru", 0x19}, {"sk", 0x1B}, {"sl", 0x24}, {"sr", 0x1A},
    {"sv", 0x1D}, {"th", 0x1E}, {"tr", 0x1F}, {"uk", 0x22}, {"vi", 0x2A}, {"zh", 0x04}};

struct Territory {
    std::uint16_t primary;
    std::string_view territory;
    std::uint16_t sub;
};

// Sub-languages where the messages depend on them; every other locale takes
// the default sub-language 1.
constexpr Territory kTerritories[] = {
    {0x16, "PT", 2}, {0x04, "CN", 2}, {0x04, "HK", 3}, {0x04, "SG", 4}, {0x04, "MO", 5}};

std::uint16_t MakeLangID(std::uint16_t primary, std::uint16_t sub) {
    return static_cast<std::uint16_t>((sub << 10) | primary);
}

std::string_view FirstSetLocale() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value && *value) return value;
    }
    return {};
}

std::uint16_t SubLanguage(std::uint16_t primary, std::string_view territory,
                          std::string_view code) {
    if (code == "nn") return 2;  // Nynorsk
    for (const Territory& t : kTerritories)
        if (t.primary == primary && t.territory == territory) return t.sub;
    return 1;
}

TkuRenovatorLanguage LanguageAt(int index) {
    return static_cast<TkuRenovatorLanguage>(index + 1);
}

std::atomic<std::uint16_t>& CurrentBase() {
    static std::atomic<std::uint16_t> base{LanguageBase(LanguageOfLangID(SystemDefaultLangID()))};
    return base;
}

}  // namespace

std::uint16_t LanguageBase(TkuRenovatorLanguage language) {
    const int l = language == TkuRenovatorLanguage::wlAuto ? 1 : static_cast<int>(language);
    return static_cast<std::uint16_t>(41000 + 50 * (l - 1));
}

TkuRenovatorLanguage LanguageOfLangID(std::uint16_t langID) {
    const std::uint16_t primary = langID & 0x3FF;
    const std::uint16_t sub = langID >> 10;
    if (primary == kPrimaryPortuguese)
        return sub == 1 ? TkuRenovatorLanguage::wlPortugueseBrazilian
                        : TkuRenovatorLanguage::wlPortuguese;
    // Singapore writes simplified characters as the mainland does.
    if (primary == kPrimaryChinese)
        return sub == 2 || sub == 4 ? TkuRenovatorLanguage::wlChineseSimplified
                                    : TkuRenovatorLanguage::wlChineseTraditional;
    for (int i = 0; i < kuRenovatorLanguageCount; ++i)
        if (kPrimaryIds[static_cast<std::size_t>(i)] == primary) return LanguageAt(i);
    return TkuRenovatorLanguage::wlEnglish;
}

std::uint16_t SystemDefaultLangID() {
    const std::string_view locale = FirstSetLocale();
    // "ll_TT.codeset@modifier"
    const std::string_view name = locale.substr(0, locale.find_first_of(".@"));
    const std::size_t separator = name.find_first_of("_-");
    const std::string_view code = name.substr(0, separator);
    const std::string_view territory =
        separator == std::string_view::npos ? std::string_view{} : name.substr(separator + 1);
    for (const LocaleLanguage& language : kLocaleLanguages)
        if (language.code == code)
            return MakeLangID(language.primary, SubLanguage(language.primary, territory, code));
    return kEnglishUS;
}

void SetRenovatorLanguage(TkuRenovatorLanguage language) {
    const TkuRenovatorLanguage chosen = language == TkuRenovatorLanguage::wlAuto
                                            ? LanguageOfLangID(SystemDefaultLangID())
                                            : language;
    CurrentBase().store(LanguageBase(chosen));
}

std::uint16_t CurrentLanguageBase() {
    return CurrentBase().load();
}

std::string LoadLangString(std::uint16_t id) {
    switch (id) {
        case kuAppTitlePlaceholderId:
            return "<AppTitle>";
        case kuHiddenTitleId:
            return "Pendrel";
        case kuRenovatorNameId:
            return "Renovator";
        default:
            break;
    }
    if (id < 41000) return {};
    const int language = (id - 41000) / 50;
    const int n = (id - 41000) % 50;
    if (language >= kuRenovatorLanguageCount || n >= kuRenovatorMessageCount) return {};
    const char* text =
        kuRenovatorMessageTable[static_cast<std::size_t>(language)][static_cast<std::size_t>(n)];
    return text ? text : "";
}

std::string KULangStr(int n) {
    if (n < 0 || n >= kuRenovatorMessageCount) return {};
    return LoadLangString(static_cast<std::uint16_t>(CurrentLanguageBase() + n));
}

std::string KUFmtLangStr(int n, std::initializer_list<TkuFormatArg> args) {
    return FormatText(KULangStr(n), args);
}

}  // namespace tessaro
