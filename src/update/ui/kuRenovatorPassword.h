#pragma once

#include <string>

#include "update/renovator/kuRenovatorDialogs.h"
#include "update/ui/kuRenovatorMessageForm.h"

class QLineEdit;

namespace tessaro {

// Asks for the user name and password of a protected file.
class TkuRenovatorPasswordForm final : public TkuRenovatorMessageForm {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TkuRenovatorPasswordForm)

public:
    TkuRenovatorPasswordForm();

    // Modal; on OK the entered user name and password are stored in `host`.
    bool Execute(TkuRenovatorWizardHost& host, const std::string& fileName);

private:
    TkuRenovatorWizardHost* host_ = nullptr;
    QLabel* usernameLab_ = nullptr;
    QLabel* passwordLab_ = nullptr;
    QLineEdit* usernameEdit_ = nullptr;
    QLineEdit* passwordEdit_ = nullptr;
    QPushButton* okBtn_ = nullptr;
    QPushButton* cancelBtn_ = nullptr;
};

// True on OK, after storing the user name and password in `host`.
bool ShowPasswordBox(TkuRenovatorWizardHost& host, const std::string& fileName);

}  // namespace tessaro
