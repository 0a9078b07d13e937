#pragma once

#include <cstdint>
#include <string>

#include "update/renovator/kuRenovatorTypes.h"

namespace tessaro {

// What the dialogs need of the engine that opened them.
class TkuRenovatorWizardHost {
public:
    virtual ~TkuRenovatorWizardHost() = default;
    virtual const TkuRenovatorWizard& Wizard() const = 0;
    // The user confirmed the abort question of the wizard.
    virtual void Abort(bool force) = 0;
    // The wizard closed: a caller waiting for it goes on.
    virtual void ReleaseWait() = 0;
    virtual std::string HTTPUsername() const = 0;
    virtual void SetHTTPUsername(const std::string& value) = 0;
    virtual void SetHTTPPassword(const std::string& value) = 0;
};

// Everything the engine shows. The window shows it with widgets; the command
// line reports in its own way. Texts come formatted from the message table.
class TkuRenovatorDialogs {
public:
    virtual ~TkuRenovatorDialogs() = default;

    // Opens the modeless download wizard, or brings the open one forward.
    virtual void ShowRenovatorWizard(TkuRenovatorWizardHost& host) = 0;
    virtual bool WizardOpen() const = 0;
    // The file line and "Downloading %d of %d".
    virtual void ShowWizardFile(const std::string& url, const std::string& allDownloading) = 0;
    // "File size: %.1f Kb"
    virtual void ShowWizardFileSize(const std::string& text) = 0;
    // Both bars, the transfer rate and the time left.
    virtual void ShowWizardProgress(std::uint8_t percentsDone, std::uint8_t totalPercentsDone,
                                    const std::string& transferRate,
                                    const std::string& timeLeft) = 0;
    // The completion page, for that many files installed and that many skipped; it
    // says "completed" only when none was skipped. The wizard calls ReleaseWait on
    // its host once it closes.
    virtual void FinishWizard(int installed, int skipped) = 0;
    // Closes the wizard without asking and without calling its host.
    virtual void DestroyWizard() = 0;

    // The upgrade question, with the running and the offered version below it
    // ("1.2.1.2 → 1.2.1.3", empty when either is unknown); true on Yes.
    virtual bool ShowUpgradeBox(const std::string& upgradeMsg,
                                const std::string& versionChange) = 0;
    // User name and password for a protected file; true on OK, after storing
    // both in the host.
    virtual bool ShowPasswordBox(TkuRenovatorWizardHost& host, const std::string& fileName) = 0;
    // An error or information box captioned with message 0.
    virtual void ErrorBox(const std::string& text) = 0;
    virtual void InformationBox(const std::string& text) = 0;
    // The missing-file question (message 28); true on Yes (skip the file).
    virtual bool AskSkipLostFile(const std::string& text, const std::string& caption) = 0;
};

}  // namespace tessaro
