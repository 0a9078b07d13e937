#include "platform/Locale.h"

#include <langinfo.h>

#include <clocale>
#include <cstring>

namespace tessaro::platform {

void EnsureUtf8CharacterLocale() {
    std::setlocale(LC_CTYPE, "");
    const char* codeset = nl_langinfo(CODESET);
    if (codeset && (std::strcmp(codeset, "UTF-8") == 0 || std::strcmp(codeset, "utf8") == 0)) return;
    if (!std::setlocale(LC_CTYPE, "C.UTF-8")) std::setlocale(LC_CTYPE, "en_US.UTF-8");
}

}  // namespace tessaro::platform
