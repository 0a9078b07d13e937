#pragma once

#include <QTimer>

#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "update/renovator/kuRenovatorDialogs.h"

namespace tessaro::test {

// The last "/"-separated part of a URL or path, to keep logs short.
inline std::string LastSegment(const std::string& text) {
    return text.substr(text.rfind('/') + 1);
}

// Dialogs that write what the engine shows into a log and answer as the test
// scripts them; the widgets themselves are tested on their own.
class TScriptedRenovatorDialogs final : public TkuRenovatorDialogs {
public:
    explicit TScriptedRenovatorDialogs(std::vector<std::string>& log) : FLog(log) {}

    bool upgradeAnswer = true;
    bool skipAnswer = true;
    // One login per password request, entered and confirmed; Cancel once none is left.
    std::deque<std::pair<std::string, std::string>> logins;

    void ShowRenovatorWizard(TkuRenovatorWizardHost& host) override {
        FHost = &host;
        FOpen = true;
        FLog.push_back("Wizard");
    }
    bool WizardOpen() const override { return FOpen; }
    void ShowWizardFile(const std::string& url, const std::string& allDownloading) override {
        FLog.push_back("File(" + LastSegment(url) + "," + allDownloading + ")");
    }
    void ShowWizardFileSize(const std::string&) override {}
    void ShowWizardProgress(std::uint8_t, std::uint8_t, const std::string&,
                            const std::string&) override {}
    void FinishWizard(int installed, int skipped) override {
        FLog.push_back(skipped == 0 ? "Finish"
                                    : "Finish(" + std::to_string(installed) + " installed, " +
                                          std::to_string(skipped) + " skipped)");
        // The user presses OK on the completion page, from the event loop.
        QTimer::singleShot(0, [this] {
            FOpen = false;
            FHost->ReleaseWait();
        });
    }
    void DestroyWizard() override {
        if (FOpen) FLog.push_back("DestroyWizard");
        FOpen = false;
    }
    bool ShowUpgradeBox(const std::string& upgradeMsg, const std::string& versionChange) override {
        FLog.push_back("Ask(" + upgradeMsg + " | " + versionChange + ")");
        return upgradeAnswer;
    }
    bool ShowPasswordBox(TkuRenovatorWizardHost& host, const std::string& fileName) override {
        FLog.push_back("Password(" + fileName + ")");
        if (logins.empty()) return false;
        host.SetHTTPUsername(logins.front().first);
        host.SetHTTPPassword(logins.front().second);
        logins.pop_front();
        return true;
    }
    void ErrorBox(const std::string& text) override { FLog.push_back("Error(" + text + ")"); }
    void InformationBox(const std::string& text) override {
        FLog.push_back("Information(" + text + ")");
    }
    bool AskSkipLostFile(const std::string& text, const std::string& caption) override {
        FLog.push_back("Skip(" + caption + ": " + text + ")");
        return skipAnswer;
    }

private:
    std::vector<std::string>& FLog;
    TkuRenovatorWizardHost* FHost = nullptr;
    bool FOpen = false;
};

}  // namespace tessaro::test
