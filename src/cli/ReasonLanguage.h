#pragma once

#include "encode/JobReason.h"

namespace tessaro::cli {

// The reason phrases in the user's language: the language file's Japanese
// section when the messages locale (LC_ALL, LC_MESSAGES, LANG, the first set)
// is Japanese, else its English one; the built-in English without the file.
ReasonTexts ReasonTextsForLocale();

}  // namespace tessaro::cli
