#include "update/renovator/kuRenovatorTypes.h"

namespace tessaro {

void TkuRenovatorWizard::SetLanguage(TkuRenovatorLanguage language) {
    if (language == language_) return;
    language_ = language;
    SetRenovatorLanguage(language);
}

}  // namespace tessaro
