#include "platform/AnsiCodePage.h"

#include <array>
#include <cstdlib>

namespace tessaro::platform {
namespace {

constexpr std::string_view kWesternCodePage = "CP1252";

struct CodePageLanguages {
    std::string_view codePage;
    std::string_view languages;  // ISO 639 codes, each followed by a blank
};

// Windows' ANSI code page per language; Chinese and Serbian also depend on
// the territory or script and are decided before this table.
constexpr std::array kCodePages = {
    CodePageLanguages{"CP932", "ja "},
    CodePageLanguages{"CP949", "ko "},
    CodePageLanguages{"CP874", "th "},
    CodePageLanguages{"CP1258", "vi "},
    CodePageLanguages{"CP1251", "ru uk be bg mk kk ky tt mn ba sah tg "},
    CodePageLanguages{"CP1250", "cs pl sk hu sl hr ro sq bs "},
    CodePageLanguages{"CP1253", "el "},
    CodePageLanguages{"CP1254", "tr az uz "},
    CodePageLanguages{"CP1255", "he iw yi "},
    CodePageLanguages{"CP1256", "ar fa ur ps ug "},
    CodePageLanguages{"CP1257", "lt lv et "},
};

struct LocaleParts {
    std::string_view language;
    std::string_view territory;
    std::string_view modifier;
};

// "zh_TW.UTF-8@radical" -> zh, TW, radical
LocaleParts SplitLocale(std::string_view locale) {
    LocaleParts parts;
    const size_t at = locale.find('@');
    if (at != std::string_view::npos) {
        parts.modifier = locale.substr(at + 1);
        locale = locale.substr(0, at);
    }
    locale = locale.substr(0, locale.find('.'));
    const size_t underscore = locale.find_first_of("_-");
    parts.language = locale.substr(0, underscore);
    if (underscore != std::string_view::npos) parts.territory = locale.substr(underscore + 1);
    return parts;
}

std::string_view ChineseCodePage(std::string_view territory, std::string_view modifier) {
    const bool traditional = territory == "TW" || territory == "HK" || territory == "MO" ||
                             territory == "Hant" || modifier == "hant";
    return traditional ? "CP950" : "CP936";
}

std::string_view SerbianCodePage(std::string_view modifier) {
    return modifier == "latin" ? "CP1250" : "CP1251";
}

}  // namespace

std::string AnsiCodePageFor(std::string_view locale) {
    const LocaleParts parts = SplitLocale(locale);
    if (parts.language == "zh")
        return std::string(ChineseCodePage(parts.territory, parts.modifier));
    if (parts.language == "sr") return std::string(SerbianCodePage(parts.modifier));
    if ((parts.language == "uz" || parts.language == "az") && parts.modifier == "cyrillic")
        return "CP1251";
    if (parts.language.empty()) return std::string(kWesternCodePage);
    const std::string word = std::string(parts.language) + " ";
    for (const CodePageLanguages& entry : kCodePages) {
        const size_t found = entry.languages.find(word);
        if (found != std::string_view::npos && (found == 0 || entry.languages[found - 1] == ' '))
            return std::string(entry.codePage);
    }
    return std::string(kWesternCodePage);
}

std::string SystemAnsiCodePage() {
    for (const char* name : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const char* value = std::getenv(name);
        if (value && *value) return AnsiCodePageFor(value);
    }
    return std::string(kWesternCodePage);
}

}  // namespace tessaro::platform
