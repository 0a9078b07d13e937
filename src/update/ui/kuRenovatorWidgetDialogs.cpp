#include "update/ui/kuRenovatorWidgetDialogs.h"

#include "update/renovator/kuRenovatorLanguage.h"
#include "update/ui/kuRenovatorMessageBox.h"
#include "update/ui/kuRenovatorPassword.h"
#include "update/ui/kuRenovatorUpgradeMsg.h"
#include "update/ui/kuRenovatorWizard.h"

namespace tessaro {
namespace {

// Over the wizard when it is open, so that a wizard kept on top cannot hide the box.
QMessageBox::StandardButton EngineMessageBox(const std::string& caption, const std::string& text,
                                             const TkuMessageBoxStyle& style) {
    return RenovatorMessageBox(kuRenovatorWizardForm(), QString::fromStdString(caption),
                               QString::fromStdString(text), style);
}

}  // namespace

void TkuRenovatorWidgetDialogs::ShowRenovatorWizard(TkuRenovatorWizardHost& host) {
    tessaro::ShowRenovatorWizard(host);
}

bool TkuRenovatorWidgetDialogs::WizardOpen() const {
    return kuRenovatorWizardForm() != nullptr;
}

void TkuRenovatorWidgetDialogs::ShowWizardFile(const std::string& url,
                                               const std::string& allDownloading) {
    if (auto* wizard = kuRenovatorWizardForm()) wizard->ShowFile(url, allDownloading);
}

void TkuRenovatorWidgetDialogs::ShowWizardFileSize(const std::string& text) {
    if (auto* wizard = kuRenovatorWizardForm()) wizard->ShowFileSize(text);
}

void TkuRenovatorWidgetDialogs::ShowWizardProgress(std::uint8_t percentsDone,
                                                   std::uint8_t totalPercentsDone,
                                                   const std::string& transferRate,
                                                   const std::string& timeLeft) {
    if (auto* wizard = kuRenovatorWizardForm())
        wizard->ShowProgress(percentsDone, totalPercentsDone, transferRate, timeLeft);
}

void TkuRenovatorWidgetDialogs::FinishWizard(int installed, int skipped) {
    if (auto* wizard = kuRenovatorWizardForm()) wizard->Finish(installed, skipped);
}

void TkuRenovatorWidgetDialogs::DestroyWizard() {
    if (auto* wizard = kuRenovatorWizardForm()) wizard->CloseWithoutHost();
}

bool TkuRenovatorWidgetDialogs::ShowUpgradeBox(const std::string& upgradeMsg,
                                               const std::string& versionChange) {
    return tessaro::ShowUpgradeBox(upgradeMsg, versionChange);
}

bool TkuRenovatorWidgetDialogs::ShowPasswordBox(TkuRenovatorWizardHost& host,
                                                const std::string& fileName) {
    return tessaro::ShowPasswordBox(host, fileName);
}

void TkuRenovatorWidgetDialogs::ErrorBox(const std::string& text) {
    EngineMessageBox(KULangStr(0), text, {QMessageBox::Critical, QMessageBox::Ok});
}

void TkuRenovatorWidgetDialogs::InformationBox(const std::string& text) {
    EngineMessageBox(KULangStr(0), text, {QMessageBox::Information, QMessageBox::Ok});
}

bool TkuRenovatorWidgetDialogs::AskSkipLostFile(const std::string& text,
                                                const std::string& caption) {
    const TkuMessageBoxStyle style{QMessageBox::Warning, QMessageBox::Yes | QMessageBox::No, true};
    return EngineMessageBox(caption, text, style) == QMessageBox::Yes;
}

}  // namespace tessaro
