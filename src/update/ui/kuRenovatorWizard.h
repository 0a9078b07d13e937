#pragma once

#include <QDialog>

#include <cstdint>
#include <string>

#include "update/renovator/kuRenovatorDialogs.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace tessaro {

// The modeless download wizard: progress of the current file and of all
// files, then the completion page. Closing it by the user asks whether to
// abort the upgrade; once closed it frees itself and releases the engine's wait.
class TkuRenovatorWizardForm final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TkuRenovatorWizardForm)

public:
    TkuRenovatorWizardForm();

    void Prepare(TkuRenovatorWizardHost& host);
    void ShowFile(const std::string& url, const std::string& allDownloading);
    void ShowFileSize(const std::string& text);
    void ShowProgress(std::uint8_t percentsDone, std::uint8_t totalPercentsDone,
                      const std::string& transferRate, const std::string& timeLeft);
    // The completion page: only OK remains.
    void Finish(int installed, int skipped);
    // Closes at once, without asking and without calling the engine.
    void CloseWithoutHost();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    enum class TCloseKind { Ask, Finished, WithoutHost };

    void CreatePicture();
    void CreateCurrentFileGroup();
    void CreateAllFilesGroup();
    void LayoutFileLocation(bool hidden);
    void SetTexts();
    bool ConfirmAbort();

    TkuRenovatorWizardHost* host_ = nullptr;
    TCloseKind closeKind_ = TCloseKind::Ask;
    QLabel* wizardTitle_ = nullptr;
    QLabel* aboutShadow_ = nullptr;
    QLabel* aboutLabel_ = nullptr;
    QLabel* afterNote_ = nullptr;
    QLabel* image1_ = nullptr;
    QGroupBox* currentFile_ = nullptr;
    QLabel* downloadingFileFrom_ = nullptr;
    QLineEdit* fileURL_ = nullptr;
    QLabel* fileSize_ = nullptr;
    QLabel* transferRate_ = nullptr;
    QLabel* estimatedTime_ = nullptr;
    QProgressBar* progressCurrentFile_ = nullptr;
    QGroupBox* allFiles_ = nullptr;
    QLabel* allDownloading_ = nullptr;
    QProgressBar* progressAllFiles_ = nullptr;
    QPushButton* finishBtn_ = nullptr;
    QPushButton* cancelBtn_ = nullptr;
};

// The open wizard, or none.
TkuRenovatorWizardForm* kuRenovatorWizardForm();

// Opens the wizard for `host` (creating it on first use) and shows it without waiting.
void ShowRenovatorWizard(TkuRenovatorWizardHost& host);

}  // namespace tessaro
