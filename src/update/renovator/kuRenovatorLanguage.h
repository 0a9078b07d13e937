#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

#include "update/renovator/kuFormat.h"

namespace tessaro {

// The languages of the update messages, in table order; wlAuto detects the
// language from the system's.
enum class TkuRenovatorLanguage : std::uint8_t {
    wlAuto,
    wlEnglish,
    wlRussian,
    wlGerman,
    wlFrench,
    wlSpanish,
    wlPortuguese,
    wlPortugueseBrazilian,
    wlItalian,
    wlDutch,
    wlDanish,
    wlSwedish,
    wlFinnish,
    wlEstonian,
    wlUkrainian,
    wlPolish,
    wlCzech,
    wlHungarian,
    wlRomanian,
    wlCatalan,
    wlBasque,
    wlAfrikaans,
    wlChineseTraditional,
    wlChineseSimplified,
    wlIndonesian,
    wlMalay,
    wlIcelandic,
    wlTurkish,
    wlNorwegian,
    wlSlovak
};

inline constexpr int kuRenovatorLanguageCount = 29;
// Messages 0 to 30 of every language; 31 for an update that failed its
// signature check, 32 for a download larger than allowed, 33 for one the disk
// has no room for, 34 for a release that would write outside its folders and
// 35 for an install this user cannot change, 36 for an update the helper could
// not complete, 37 and 38 for the completion page of an update with skipped
// files, and 39 for a newer release of an install the package manager updates.
inline constexpr int kuRenovatorMessageCount = 40;

// Language-independent entries of the string table.
inline constexpr std::uint16_t kuAppTitlePlaceholderId = 40997;  // "<AppTitle>"
inline constexpr std::uint16_t kuHiddenTitleId = 40998;          // "Pendrel"
inline constexpr std::uint16_t kuRenovatorNameId = 40999;        // "Renovator"

// First string identifier of a language: 41000 + 50 * (L - 1).
std::uint16_t LanguageBase(TkuRenovatorLanguage language);

// The language a Windows language id stands for (primary id in the low 10
// bits, sub-language above): Portuguese and Chinese by their sub-language,
// other languages by the first table entry with that primary id, English when
// none has it.
TkuRenovatorLanguage LanguageOfLangID(std::uint16_t langID);

// The system's default language id, from LC_ALL, LC_MESSAGES or LANG (the
// first one set), such as 0x0409 for "en_US.UTF-8" and 0x0416 for "pt_BR".
std::uint16_t SystemDefaultLangID();

// The process-wide language of the messages. Detected from the system at
// start; setting wlAuto detects again.
void SetRenovatorLanguage(TkuRenovatorLanguage language);
std::uint16_t CurrentLanguageBase();

// The string table entry `id`; empty when the table has none.
std::string LoadLangString(std::uint16_t id);

// Message n of the current language.
std::string KULangStr(int n);

// Message n formatted with its arguments (FormatText).
std::string KUFmtLangStr(int n, std::initializer_list<TkuFormatArg> args);

}  // namespace tessaro
