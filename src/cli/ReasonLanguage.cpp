#include "cli/ReasonLanguage.h"

#include <cstdlib>
#include <string_view>

#include "settings/LanguageFile.h"

namespace tessaro::cli {
namespace {

constexpr int kEnglishIndex = 0;
constexpr int kJapaneseIndex = 1;

bool MessagesInJapanese() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value && *value) return std::string_view(value).starts_with("ja");
    }
    return false;
}

}  // namespace

ReasonTexts ReasonTextsForLocale() {
    const LanguageChoice choice =
        LoadLanguage(LanguageFilePath(), MessagesInJapanese() ? kJapaneseIndex : kEnglishIndex);
    if (!choice.section) return {};
    return ReasonTexts::Localised([&choice](std::string_view key, std::string_view english) {
        return choice.section->Caption(key, english);
    });
}

}  // namespace tessaro::cli
