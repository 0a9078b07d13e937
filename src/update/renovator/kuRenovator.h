#pragma once

#include <QTimer>

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "update/http/kuCustomHTTP.h"
#include "update/info/kuInfoFileCheck.h"
#include "update/info/kuRenovatorInfo.h"
#include "update/renovator/kuReleaseVerifier.h"
#include "update/renovator/kuRenovatorDialogs.h"
#include "update/renovator/kuRenovatorTypes.h"
#include "update/renovator/kuUpdateBounds.h"
#include "update/utils/kuWait.h"

namespace tessaro {

// Which signature a transfer fetches.
enum class TkuSignatureStage { None, InfoFile, File };
// What a transfer of the engine fetches, for the limits it gets.
enum class TkuUpdateTransfer { InfoFile, Signature, File };

// Keeps the program up to date. A check downloads the info file into memory
// and decides whether its release is newer; if the user agrees, every listed
// file is downloaded beside its destination as destination + ".uTMP" while the
// wizard shows progress; then the update helper is written and started, and
// the program closes so that the helper can put the files in place and start
// it again with RestartParams. Everything runs on the user-interface thread.
//
// Nothing from the network is believed unsigned: the info file is read only
// after its signature (URL + ".minisig") holds for the publisher's key, and a
// file counts as downloaded only after its own does. Without a key a check
// may report a newer release but never offers or downloads it.
class TkuRenovator final : public TkuCustomHTTP,
                           private TkuInfoFileEvents,
                           public TkuRenovatorWizardHost {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TkuRenovator)

public:
    static constexpr const char* kDefaultRestartParams = "/afterupgrade";
    static constexpr std::int32_t kDefaultAutoCheckDelay = 10000;
    static constexpr TkuRenovatorShowMessages kDefaultShowMessages = {
        TkuRenovatorShowMessage::mAskUpgrade, TkuRenovatorShowMessage::mConnLost,
        TkuRenovatorShowMessage::mLostFile, TkuRenovatorShowMessage::mPasswordRequest};

    explicit TkuRenovator(QObject* owner = nullptr);
    ~TkuRenovator() override;

    // Starts a check. With wait, returns once the query has ended, telling
    // whether a newer release exists, without asking or downloading.
    bool CheckUpdate(bool wait);
    // Stops whatever runs, deletes the downloads, raises OnAborted.
    void Abort(bool force) override;
    // Starts the helper with params (empty: RestartParams and the method
    // digit) and closes the application.
    // A check's query is still going on; Abort cancels it.
    bool Checking() const { return FQueryPhase && Transferring(); }
    void RestartApplication(const std::string& params);
    // One step of the download: the first file (start) or the next one.
    void DoUpgrade(bool start);
    // Deletes every "*.uTMP" file of the application folder and the download
    // of every listed file with a destination elsewhere.
    void DeleteTemporaryFiles();
    // After the settings are read: raises OnAfterRestart when the program was
    // started with RestartParams as its first parameter, and then shows what the
    // update helper could not do.
    void Loaded(const std::string& firstParameter);

    // The key line of the publisher's minisign .pub file; false when it is
    // not one, and then no release can be installed.
    bool SetPublicKey(std::string_view keyLine) { return FVerifier.SetPublicKey(keyLine); }
    bool CanVerify() const { return FVerifier.CanVerify(); }
    // Whether the program folder belongs to the system's package manager: a newer
    // release is then reported with the advice to update through it, never offered.
    bool SystemInstall() const { return FSystemInstall; }
    void SetSystemInstall(bool value) { FSystemInstall = value; }
    // Message 39: a newer release, which the package manager is to install.
    std::string SystemInstallText() const;
    // Why the last release was refused (in English); empty when none was.
    const std::string& Refusal() const { return FRefusal; }
    // The time and size limits of every transfer; from the environment at first.
    const TkuUpdateBounds& Bounds() const { return FBounds; }
    void SetBounds(const TkuUpdateBounds& bounds);

    // Where the dialogs and message boxes go; none shows nothing. They must
    // outlive the engine, which closes an open wizard when it goes.
    void SetDialogs(TkuRenovatorDialogs* dialogs) { FDialogs = dialogs; }

    bool AutoCheck() const { return FAutoCheck; }
    void SetAutoCheck(bool value);
    std::int32_t AutoCheckDelay() const { return FAutoCheckDelay; }
    void SetAutoCheckDelay(std::int32_t value) { FAutoCheckDelay = value; }
    TkuCacheOptions CacheOptions() const { return FRenovatorCacheOptions; }
    void SetCacheOptions(TkuCacheOptions value);
    TkuRenovatorInfo& InfoFile() { return FInfoFile; }
    const std::string& InfoFileURL() const { return FInfoFileURL; }
    void SetInfoFileURL(const std::string& value) { FInfoFileURL = value; }
    const std::string& RestartParams() const { return FRestartParams; }
    // Empty is kept as one space, so the helper still gets a parameter.
    void SetRestartParams(const std::string& value);
    TdyMiscFilesUpgradeBehavior MiscFilesUpgrade() const { return FMiscFilesUpgrade; }
    void SetMiscFilesUpgrade(TdyMiscFilesUpgradeBehavior value) { FMiscFilesUpgrade = value; }
    TkuRenovatorVersionControl VersionControl() const { return FRunning.VersionControl; }
    void SetVersionControl(TkuRenovatorVersionControl value) { FRunning.VersionControl = value; }
    const std::string& VersionDate() const { return FRunning.VersionDate; }
    void SetVersionDate(const std::string& value) { FRunning.VersionDate = value; }
    bool VersionDateAutoSet() const { return FVersionDateAutoSet; }
    void SetVersionDateAutoSet(bool value) { FVersionDateAutoSet = value; }
    const std::string& VersionNumber() const { return FRunning.VersionNumber; }
    void SetVersionNumber(const std::string& value) { FRunning.VersionNumber = value; }
    TkuRenovatorShowMessages ShowMessages() const { return FShowMessages; }
    void SetShowMessages(TkuRenovatorShowMessages value) { FShowMessages = value; }
    const TkuRenovatorWizard& Wizard() const override { return FWizard; }
    TkuRenovatorWizard& Wizard() { return FWizard; }
    std::string HTTPUsername() const override { return Username(); }
    void SetHTTPUsername(const std::string& value) override { SetUsername(value); }
    std::string HTTPPassword() const { return Password(); }
    void SetHTTPPassword(const std::string& value) override { SetPassword(value); }

    // The file list of the last info file, with the destinations the
    // download wrote back.
    const TkuStringList& Files() const { return FState.Files; }
    bool UpdateAvailable() const { return FState.UpdateAvailable; }
    // "#version" of the last info file read; empty when it has none.
    const std::string& ReleaseVersion() const { return FReleaseVersion; }
    TdyUpgradeMethod UpgradeMethod() const { return FState.UpgradeMethod; }

    TKUBeginUpgradeEvent OnBeginUpgrade;
    TKUEndUpgradeEvent OnEndUpgrade;
    TNotifyEvent OnLaterUpgrade;
    TKUProgressEvent OnProgress;
    TKUFileStartEvent OnFileStart;
    TKUFileDoneEvent OnFileDone;
    TNotifyEvent OnDoOwnCloseAppMethod;
    TNotifyEvent OnAfterRestart;
    TNotifyEvent OnAborted;
    TNotifyEvent OnConnLost;
    TKUHostUnreachableEvent OnHostUnreachable;
    TNotifyEvent OnNoUpdateAvailable;
    TNotifyEvent OnNoInfoFile;
    TKULostFileEvent OnLostFile;
    TkuHTTPPasswordRequestEvent OnPasswordRequest;

private:
    // TkuInfoFileEvents
    void BeginUpgrade(const std::string& upgradeMsg, TdyUpgradeMethod method, TkuStringList& files,
                      bool& canUpgrade) override;
    bool AskUpgrade(const std::string& upgradeMsg) override;
    void RedirectToURL(const std::string& url) override;
    void StartDownload() override;
    void LaterUpgrade() override;
    void NoUpdateAvailable() override;
    void ReportNoUpdate() override;
    void ReleaseWait() override;

    void InstallHTTPHandlers();
    void HTTPHeaderInfo(std::int32_t contentLength, TDateTime lastModified, bool& continueDownload);
    void HTTPDone(QIODevice* stream);
    void HTTPDoneInterrupted();
    void HTTPProgress(std::int32_t dataSize, std::int32_t bytesRead, std::int32_t elapsedTime,
                      std::int32_t estimatedTimeLeft, std::uint8_t percentsDone,
                      float transferRate);
    void HTTPConnLost();
    void HTTPError(std::int32_t errorCode);
    void HTTPHostUnreachable();
    void HTTPPasswordRequest(const std::string& realm, bool& tryAgain);

    // The signature of what was just downloaded.
    void FetchSignature(const std::string& url, TkuSignatureStage stage);
    // Starts a transfer of that kind into memory (no file name) or a file, within its
    // limits; the query's transfers share what is left of the check's time.
    bool StartTransfer(TkuUpdateTransfer kind, const std::string& url,
                       const std::string& outputFileName);
    // A transfer that passed a size or space limit: says which, and removes its file.
    bool ReportedOverLimit();
    void InfoFileReceived(const std::string& text);
    void InfoFileSignatureReceived(const std::string& signature);
    void FileReceived();
    void FileSignatureReceived(const std::string& signature);
    // Ends the upgrade before anything is downloaded; the caller says why.
    void RefuseBeforeDownload(const std::string& refusal);
    // Ends the upgrade like a missing file that may not be skipped.
    void RefuseRelease(std::string_view reason);
    // Message 31: the release was not installed because it is not proven.
    void ReportUnverified();
    TkuUpdateCheck CurrentCheck() const;

    void UpdateTimer();
    void AutoCheckTimerFired();
    void SetQueryInfoStage(bool query);
    void SafeTerminate(bool force);
    void Relaunch(const std::string& params);
    // Writes the helper and its queue and starts it; the reason when it cannot.
    std::string HandOverToHelper(const std::string& params);
    void FinishDownload();
    // Removes whatever is at the download name of each listed file, links included.
    void RemoveReleaseDownloads();
    bool DestinationsAllowed();
    void ReportHelperFailures();
    std::string PrepareDestination(int index);
    bool SameSizeAsServer(std::int32_t contentLength) const;
    bool Shows(TkuRenovatorShowMessage message) const { return FShowMessages.Contains(message); }
    bool WizardOpen() const { return FDialogs && FDialogs->WizardOpen(); }
    void ErrorBox(int message, const std::string& argument = {});

    TkuRenovatorDialogs* FDialogs = nullptr;
    bool FSystemInstall = false;
    bool FAutoCheck = false;
    std::int32_t FAutoCheckDelay = kDefaultAutoCheckDelay;
    TkuCacheOptions FRenovatorCacheOptions;
    TkuRenovatorInfo FInfoFile;
    std::string FInfoFileURL = "http://";
    std::string FRestartParams = kDefaultRestartParams;
    TdyMiscFilesUpgradeBehavior FMiscFilesUpgrade = TdyMiscFilesUpgradeBehavior::mfuAlwaysDownload;
    TkuRunningRelease FRunning;
    bool FVersionDateAutoSet = true;
    TkuRenovatorShowMessages FShowMessages = kDefaultShowMessages;
    TkuRenovatorWizard FWizard;

    TkuUpdateBounds FBounds;
    std::chrono::steady_clock::time_point FCheckDeadline;
    TkuInfoFileState FState;
    std::string FReleaseVersion;
    TkuReleaseVerifier FVerifier;
    TkuSignatureStage FSignatureStage = TkuSignatureStage::None;
    std::string FInfoText;
    std::string FCurrentURL;
    std::string FRefusal;
    int FCurrentIndex = 0;
    // Listed files the user chose to go without.
    int FSkipped = 0;
    std::string FCurrentTarget;
    TDateTime FCurrentFileTime = 0;
    TkuEventSlot FWaitHandle{0};
    QTimer FTimer;

    bool FAborted = false;
    bool FQueryOnly = false;
    bool FAutoCheckDone = false;
    bool FAutoCheckRunning = false;
    bool FQueryPhase = false;
    bool FUpgradeDone = false;
};

}  // namespace tessaro
