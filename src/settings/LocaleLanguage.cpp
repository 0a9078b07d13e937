#include "settings/LocaleLanguage.h"

#include <cstdlib>
#include <string_view>

namespace tessaro {

int LocaleLanguageIndex() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value && *value)
            return std::string_view(value).starts_with("ja") ? kJapaneseLanguageIndex
                                                             : kEnglishLanguageIndex;
    }
    return kEnglishLanguageIndex;
}

}  // namespace tessaro
