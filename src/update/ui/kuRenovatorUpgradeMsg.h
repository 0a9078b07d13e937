#pragma once

#include <string>

#include "update/ui/kuRenovatorMessageForm.h"

namespace tessaro {

// Asks whether to download a newer release now or later; stays above other windows.
class TkuRenovatorUpgradeMessageForm final : public TkuRenovatorMessageForm {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TkuRenovatorUpgradeMessageForm)

public:
    TkuRenovatorUpgradeMessageForm();

    // Modal; true on Yes. `versionChange` ("1.2.1.2 → 1.2.1.3") goes below the question.
    bool Execute(const std::string& upgradeMsg, const std::string& versionChange);

private:
    QPushButton* yesBtn_ = nullptr;
    QPushButton* laterBtn_ = nullptr;
};

// The application title as the upgrade question names it.
std::string UpgradeQuestionTitle();

// True on Yes.
bool ShowUpgradeBox(const std::string& upgradeMsg, const std::string& versionChange);

}  // namespace tessaro
