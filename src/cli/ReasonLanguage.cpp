#include "cli/ReasonLanguage.h"

#include "settings/LanguageFile.h"
#include "settings/LocaleLanguage.h"

namespace tessaro::cli {

ReasonTexts ReasonTextsForLocale() {
    const LanguageChoice choice = LoadLanguage(LanguageFilePath(), LocaleLanguageIndex());
    if (!choice.section) return {};
    return ReasonTexts::Localised([&choice](std::string_view key, std::string_view english) {
        return choice.section->Caption(key, english);
    });
}

}  // namespace tessaro::cli
