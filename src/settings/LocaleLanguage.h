#pragma once

namespace tessaro {

inline constexpr int kEnglishLanguageIndex = 0;
inline constexpr int kJapaneseLanguageIndex = 1;

// The language selector's index for the messages locale (LC_ALL, else
// LC_MESSAGES, else LANG: the first one set): Japanese for a Japanese locale,
// English for any other.
int LocaleLanguageIndex();

}  // namespace tessaro
