#pragma once

#include "update/renovator/kuRenovatorDialogs.h"

namespace tessaro {

// The engine's dialogs as Qt widgets: the wizard, the two modal forms and
// the message boxes.
class TkuRenovatorWidgetDialogs final : public TkuRenovatorDialogs {
public:
    void ShowRenovatorWizard(TkuRenovatorWizardHost& host) override;
    bool WizardOpen() const override;
    void ShowWizardFile(const std::string& url, const std::string& allDownloading) override;
    void ShowWizardFileSize(const std::string& text) override;
    void ShowWizardProgress(std::uint8_t percentsDone, std::uint8_t totalPercentsDone,
                            const std::string& transferRate, const std::string& timeLeft) override;
    void FinishWizard(int installed, int skipped) override;
    void DestroyWizard() override;

    bool ShowUpgradeBox(const std::string& upgradeMsg, const std::string& versionChange) override;
    bool ShowPasswordBox(TkuRenovatorWizardHost& host, const std::string& fileName) override;
    void ErrorBox(const std::string& text) override;
    void InformationBox(const std::string& text) override;
    bool AskSkipLostFile(const std::string& text, const std::string& caption) override;
};

}  // namespace tessaro
