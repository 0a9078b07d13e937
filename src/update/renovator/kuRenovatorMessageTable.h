#pragma once

#include <array>

#include "update/renovator/kuRenovatorLanguage.h"

namespace tessaro {

using TkuRenovatorMessages = std::array<const char*, kuRenovatorMessageCount>;

// The messages of languages 1 to 29, in the order of TkuRenovatorLanguage.
extern const std::array<TkuRenovatorMessages, kuRenovatorLanguageCount> kuRenovatorMessageTable;

}  // namespace tessaro
