#pragma once

#include <QStringList>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <string>

#include "app/PopupMenuState.h"
#include "app/RunProgressView.h"
#include "app/ShutdownCountdown.h"
#include "encode/AddFiles.h"
#include "encode/JobReason.h"
#include "encode/RunControl.h"
#include "encode/RunStateView.h"
#include "encode/StatusBar.h"

#include "encode/ScriptWriter.h"
#include "settings/LanguageFile.h"
#include "settings/ProfileSettings.h"

class QAction;
class QCheckBox;
class QComboBox;
class QFileDialog;
class QGroupBox;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QStatusBar;
class QTabWidget;
class QTimer;
class QToolButton;
class QTreeWidgetItem;

namespace tessaro {

namespace platform {
class INotifier;
class IPowerManager;
}  // namespace platform
class QtEventPump;
class SaveBeforePowerOff;
class TkuRenovator;
class TkuRenovatorWidgetDialogs;
class TDropFileListView;

// The program's only window: the job list, the conversion options, the output
// folder and the commands that start and stop a run.
class TMainForm final : public QWidget, private IStatusBar, private IRunStateView {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TMainForm)

public:
    static constexpr int kClientHeight = 538;
    static constexpr int kWidthWithDetails = 908;
    static constexpr int kWidthWithoutDetails = 540;

    // Records the install markers and builds the controls; FormCreate then
    // loads the profile and the language.
    // `power`: what "Shutdown after encoding" asks; the system's logind when null.
    // `notifier`: how the end of a run reaches a user looking elsewhere; the
    // desktop's notification service when null.
    explicit TMainForm(QWidget* parent = nullptr, platform::IPowerManager* power = nullptr,
                       platform::INotifier* notifier = nullptr);
    ~TMainForm() override;

    // The single entry for new files: dialog, drops, command line, later starts.
    // Files are probed one after the other while the window goes on repainting;
    // rows appear as they are probed. -1 for an empty list, otherwise 0.
    int AddFiles(const QStringList& paths);
    bool IsAdding() const;

    void SortByColumn(int column);
    int ListView1Compare(const QTreeWidgetItem* item1, const QTreeWidgetItem* item2) const;
    void ShowFileDetails(const QString& path);

    // Lists the languages of the file and applies the chosen one when the file
    // qualifies (English and Japanese); the create event calls it once.
    void LoadLanguage(int storedIndex, const std::string& languageFilePath = LanguageFilePath());
    void ApplyLanguage(const LanguageSection& section);
    // Fonts of the captioned controls follow the language's character set.
    void SetCharset(int charset);

    // Files given on the command line, added when the window is first shown.
    void SetCommandLineFiles(const QStringList& files) { commandLineFiles_ = files; }
    // The program's first parameter once the window exists: a start after an
    // update is reported to the update engine.
    void AfterStart(const QString& firstParameter);
    // A later start asked for the window: bring it forward and take its files.
    void ActivateFromInstance(const QStringList& files);
    // The session is ending: close as the user would, once a running encode
    // has stopped and any open dialog is dismissed.
    void EndSession();

    const std::string& TempFolder() const { return tempFolder_; }
    const std::string& ProfileFolder() const { return profileFolder_; }
    const std::string& ProgramVersion() const { return programVersion_; }
    const QString& SelectDirCaption() const { return selectDirCaption_; }
    bool Running() const { return run_ && run_->Running(); }
    // "Jobs at once" as chosen: kJobsAtOnceAuto, or a count of jobs.
    int JobsAtOnceSetting() const;
    // Set once the program ended itself for a power-off.
    bool EndedForPowerOff() const { return endedForPowerOff_; }

signals:
    void AddingFinished();
    // A run began; the window stays responsive until it ends.
    void RunStarted();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildWindow();
    void CreateRenovator();
    void BuildFilesPage(QWidget* page);
    void BuildOptionsPage(QWidget* page);
    void BuildBottomPanel(QWidget* panel);
    void BuildDetailsPane();
    void BuildPopupMenu();
    void ConnectHandlers();
    void AdjustWindowSize();
    void CentreOnScreen();

    void FormCreate();
    void FormShow();
    void FormClose();

    // Returns the stored language index for the language loader.
    int LoadProfileIntoControls();
    ProfileSettings ProfileFromControls() const;
    void SelectDrive(int driveIndex, const std::string& mountPoint);
    void SaveProfileFromControls();
    ScriptOptions ScriptOptionsFromControls() const;

    void AddNextPendingFile();
    void ListJobRow(const JobRow& row);
    void FinishAdding();
    void StopAdding();

    void SetPanelText(int panel, const std::string& text) override;
    void SetEncodeCommandsEnabled(bool enabled) override;
    void SetStopEnabled(bool enabled) override;
    void SetCloseBlocked(bool blocked) override;
    bool ShowEncodingConsole() const override;
    bool ShutdownAfterEncoding() const override;
    void MinimizeApplication() override;
    void RestoreApplication() override;
    bool ConfirmPowerOff(const std::string& runEnd) override;
    void EndProgramWithoutSaving() override;
    void NotifyRunEndWhenAway();

    template <typename Encode>
    void RunEncode(Encode encode, QTreeWidgetItem* onlyRow = nullptr);
    void Button1Click();
    void Button2Click();
    void Item4Click();
    void EncodeByClick();
    void PopupMenu1Popup();
    void RebuildEncodeByMenu(const std::vector<EncodeByGroup>& groups);

    void Button3Click();
    void Button4Click();
    void Button5Click();
    void Button6Click();
    void UpdateButtonClick();
    void ShowUpdateCheckEnded();
    void SpeedButton1Click();
    void SpeedButton2Click();
    void CheckBox1Click();
    void CheckBox2Click();
    void CheckBox3Click();
    void ComboBox4Change();
    void ListView1Change();
    void ListView1ColumnClick(int column);
    void ListView1DropFiles(QObject* sender, const QStringList& files);
    void ListView1SelectItem(QTreeWidgetItem* item, bool selected);
    void Item0Click();
    void Item2Click();
    void SortItemClick();

    void DeleteSelectedRow();
    void ClearDetails();
    QTreeWidgetItem* SelectedRow() const;
    int DeviceSerial() const;

    QTabWidget* PageControl1 = nullptr;
    QWidget* TabSheet1 = nullptr;
    QWidget* TabSheet2 = nullptr;
    TDropFileListView* ListView1 = nullptr;
    QPushButton* Button3 = nullptr;
    QPushButton* Button4 = nullptr;
    QPushButton* Button5 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label2 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QCheckBox* CheckBox4 = nullptr;
    QLabel* Label5 = nullptr;
    QComboBox* ComboBox2 = nullptr;
    QCheckBox* CheckBox3 = nullptr;
    QComboBox* ComboBox3 = nullptr;
    QLabel* Label4 = nullptr;
    QComboBox* ComboBox4 = nullptr;
    QLabel* Label7 = nullptr;
    QComboBox* ComboBox5 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QPushButton* UpdateButton = nullptr;
    QLabel* VersionLabel = nullptr;
    QLabel* Label6 = nullptr;
    QToolButton* SpeedButton2 = nullptr;
    QCheckBox* CheckBox5 = nullptr;
    QWidget* Panel1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* OutPath = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QCheckBox* CheckBox2 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button6 = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QLabel* StatusPanel0 = nullptr;
    QLabel* StatusPanel1 = nullptr;
    QProgressBar* AddProgress = nullptr;
    QProgressBar* RunProgressBar = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QLabel* DetailsReason = nullptr;
    QPlainTextEdit* Details = nullptr;
    QFileDialog* OpenDialog1 = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QMenu* EncodeByMenu = nullptr;
    TkuRenovator* Renovator = nullptr;

    std::unique_ptr<platform::IPowerManager> ownPower_;
    std::unique_ptr<SaveBeforePowerOff> power_;
    std::unique_ptr<RunProgressView> runProgress_;
    std::unique_ptr<platform::INotifier> ownNotifier_;
    platform::INotifier* notifier_ = nullptr;

public:
    // Seconds of the count-down before a power-off (tests shorten it).
    int powerOffCountdownSeconds = ShutdownCountdown::kDefaultSeconds;

private:
    std::unique_ptr<QtEventPump> pump_;
    std::unique_ptr<TkuRenovatorWidgetDialogs> renovatorDialogs_;
    std::unique_ptr<RunControl> run_;
    bool mediaInfoHeld_ = false;
    bool closeBlocked_ = false;
    bool closeAfterRun_ = false;
    bool endedForPowerOff_ = false;

    std::string programVersion_;
    std::string tempFolder_;
    std::string profileFolder_;
    QString selectDirCaption_;
    QString updateCheckCancelCaption_ = QString::fromLatin1(kUpdateCheckCancelCaption);
    QString updateCaption_;  // the update button's own caption while it cancels
    QTimer* updateCheckWatch_ = nullptr;
    ReasonTexts reasonTexts_;
    uint8_t sortColumn_ = 0;

    QStringList commandLineFiles_;
    bool shown_ = false;

    std::unique_ptr<FileAdder> adder_;
    int addTotal_ = 0;
    int addDone_ = 0;
    QTimer* addTimer_ = nullptr;
};

}  // namespace tessaro
