#include "update/renovator/kuRenovator.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <string_view>
#include <utility>

#include "platform/Paths.h"
#include "update/helper/kuUpdateHelper.h"
#include "update/info/kuInfoDate.h"
#include "update/info/kuInfoFile.h"
#include "update/renovator/kuReleaseDestinations.h"
#include "update/renovator/kuRenovatorLanguage.h"
#include "update/renovator/kuSystemInstall.h"
#include "update/utils/kuEnvironment.h"
#include "update/utils/kuFileTimes.h"
#include "update/utils/kuFolders.h"
#include "update/utils/kuNumeric.h"
#include "update/utils/kuOpenURL.h"
#include "update/utils/kuStreams.h"
#include "update/utils/kuText.h"

namespace tessaro {
namespace {

constexpr std::string_view kTemporarySuffix = ".uTMP";

// "running → offered" for the upgrade question.
std::string VersionChange(const std::string& running, const std::string& offered) {
    if (running.empty() || offered.empty()) return {};
    return running + " \u2192 " + offered;
}

char MethodDigit(TdyUpgradeMethod method) {
    return static_cast<char>('0' + static_cast<int>(method));
}

// Resets a flag when the scope ends, also on an exception.
class FlagScope final {
public:
    FlagScope(bool& flag, bool value) : flag_(flag) {
        if (value) flag_ = true;
    }
    ~FlagScope() { flag_ = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag_;
};

}  // namespace

TkuRenovator::TkuRenovator(QObject* owner)
    : TkuCustomHTTP(owner),
      FSystemInstall(IsSystemInstall(ApplicationFolder())),
      FRenovatorCacheOptions(TkuCustomHTTP::CacheOptions()) {
    // Downloads stay hidden until the helper puts them in place.
    OutputFileAttributes().SetIncomplete(
        {TkuFileAttribute::atrHidden, TkuFileAttribute::atrTemporary});
    OutputFileAttributes().SetComplete({TkuFileAttribute::atrArchive, TkuFileAttribute::atrHidden,
                                        TkuFileAttribute::atrTemporary});
    InstallHTTPHandlers();
    SetBounds(TkuUpdateBounds::FromEnvironment());
    // A download never writes through anything planted at its name.
    SetFreshOutput(true);
    if (const std::string helper = UpdateHelperPath(); !helper.empty()) std::remove(helper.c_str());
    FRunning.VersionDate = DateToKUDate(Today());
    FTimer.setSingleShot(false);
    connect(&FTimer, &QTimer::timeout, this, [this] { AutoCheckTimerFired(); });
}

TkuRenovator::~TkuRenovator() {
    SetAutoCheck(false);
    // An open wizard must not outlive the engine it reports to.
    if (FDialogs) FDialogs->DestroyWizard();
}

void TkuRenovator::InstallHTTPHandlers() {
    TkuCustomHTTP::OnHeaderInfo =
        [this](QObject*, std::int32_t, const std::string&, const std::string&, const std::string&,
               const std::string&, std::int32_t contentLength, const std::string&, TDateTime,
               TDateTime lastModified, TDateTime, const std::string&, bool& continueDownload) {
            HTTPHeaderInfo(contentLength, lastModified, continueDownload);
        };
    TkuCustomHTTP::OnDone = [this](QObject*, const std::string&, std::int32_t, QIODevice* stream) {
        HTTPDone(stream);
    };
    TkuCustomHTTP::OnDoneInterrupted = [this](QObject*) { HTTPDoneInterrupted(); };
    TkuCustomHTTP::OnProgress = [this](QObject*, const std::string&, std::int32_t dataSize,
                                       std::int32_t bytesRead, std::int32_t elapsedTime,
                                       std::int32_t estimatedTimeLeft, std::uint8_t percentsDone,
                                       float transferRate, QIODevice*) {
        HTTPProgress(dataSize, bytesRead, elapsedTime, estimatedTimeLeft, percentsDone,
                     transferRate);
    };
    TkuCustomHTTP::OnConnLost = [this](QObject*, const std::string&, std::int32_t, std::int32_t,
                                       QIODevice*) { HTTPConnLost(); };
    TkuCustomHTTP::OnHTTPError = [this](QObject*, std::int32_t errorCode, QIODevice*) {
        HTTPError(errorCode);
    };
    TkuCustomHTTP::OnHostUnreachable = [this](QObject*) { HTTPHostUnreachable(); };
    TkuCustomHTTP::OnPasswordRequest = [this](QObject*, const std::string& realm, bool& tryAgain) {
        HTTPPasswordRequest(realm, tryAgain);
    };
    // A query that ends in a way none of the handlers above sees (an output
    // or worker failure) must still release a caller waiting for it.
    TkuCustomHTTP::OnAnyError = [this](QObject*) {
        if (FQueryPhase) ReleaseWait();
    };
    // A download that cannot be written is a file the user may skip or not,
    // rather than a wizard left waiting for ever.
    TkuCustomHTTP::OnOutputFileError = [this](QObject*) {
        if (!FQueryPhase && FSignatureStage == TkuSignatureStage::None) HTTPError(0);
    };
}

void TkuRenovator::SetBounds(const TkuUpdateBounds& bounds) {
    FBounds = bounds;
    Timeouts().ConnectTimeout = bounds.ConnectMs;
    Timeouts().ReceiveTimeout = bounds.StallMs;
    Timeouts().SendTimeout = bounds.StallMs;
    Timeouts().LeastRate = bounds.LeastRate;
    SetFreeSpaceMargin(bounds.FreeSpaceMargin);
}

bool TkuRenovator::StartTransfer(TkuUpdateTransfer kind, const std::string& url,
                                 const std::string& outputFileName) {
    SetURL(url);
    SetOutputFileName(outputFileName);
    switch (kind) {
        case TkuUpdateTransfer::InfoFile:
            SetMaxBodySize(FBounds.InfoFileCap);
            break;
        case TkuUpdateTransfer::Signature:
            SetMaxBodySize(FBounds.SignatureCap);
            break;
        case TkuUpdateTransfer::File:
            SetMaxBodySize(FBounds.FileCap);
            break;
    }
    // A check ends in its time however slowly the server answers; a download only
    // has to keep moving.
    std::uint32_t total = 0;
    if (FQueryPhase) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            FCheckDeadline - std::chrono::steady_clock::now());
        total = static_cast<std::uint32_t>(std::max<std::int64_t>(left.count(), 1));
    }
    Timeouts().TotalTimeout = total;
    return Read(false);
}

void TkuRenovator::SetAutoCheck(bool value) {
    FAutoCheck = value;
    UpdateTimer();
}

void TkuRenovator::SetCacheOptions(TkuCacheOptions value) {
    FRenovatorCacheOptions = value;
    SetQueryInfoStage(FQueryPhase);
}

void TkuRenovator::SetRestartParams(const std::string& value) {
    FRestartParams = value.empty() ? " " : value;
}

void TkuRenovator::Loaded(const std::string& firstParameter) {
    if (firstParameter != FRestartParams) return;
    if (OnAfterRestart) OnAfterRestart(this);
    ReportHelperFailures();
}

// The helper has no window of its own: what it could not do is told here.
void TkuRenovator::ReportHelperFailures() {
    std::string failures;
    for (const std::string& failure : UpdateHelperFailures()) failures += failure + "\n";
    if (failures.empty() || !FDialogs) return;
    failures.pop_back();
    FDialogs->ErrorBox(
        KUFmtLangStr(36, {QCoreApplication::applicationName().toStdString(), failures}));
}

void TkuRenovator::UpdateTimer() {
    FTimer.stop();
    if (FAutoCheck && !FAutoCheckDone && FAutoCheckDelay > 0) FTimer.start(FAutoCheckDelay);
}

void TkuRenovator::AutoCheckTimerFired() {
    if (!IsOnline() || !FAutoCheck) return;
    FAutoCheckDone = true;
    UpdateTimer();
    CheckUpdate(false);
    FAutoCheckRunning = true;
}

void TkuRenovator::SetQueryInfoStage(bool query) {
    FQueryPhase = query;
    TkuCacheOptions options = FRenovatorCacheOptions;
    if (query) options.Include(TkuCacheOption::coPragmaNoCache);
    TkuCustomHTTP::SetCacheOptions(options);
}

bool TkuRenovator::CheckUpdate(bool wait) {
    const FlagScope queryOnly(FQueryOnly, wait);
    FAborted = false;
    FAutoCheckRunning = false;
    FState.UpdateAvailable = false;
    FRefusal.clear();
    bool started = false;
    if (!ThreadBusy()) {
        SetQueryInfoStage(true);
        FCheckDeadline =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(FBounds.CheckMs);
        started = StartTransfer(TkuUpdateTransfer::InfoFile, FInfoFileURL, "");
    }
    // Waiting for a query that never started would never end.
    if (wait && started) Wait(FWaitHandle, 0, true);
    return FState.UpdateAvailable;
}

// Query phase: the decision on the info file.

void TkuRenovator::BeginUpgrade(const std::string& upgradeMsg, TdyUpgradeMethod method,
                                TkuStringList& files, bool& canUpgrade) {
    if (OnBeginUpgrade) OnBeginUpgrade(this, upgradeMsg, method, files, canUpgrade);
}

// A system install is never asked: the package manager installs its releases.
bool TkuRenovator::AskUpgrade(const std::string& upgradeMsg) {
    if (FSystemInstall) {
        if (FDialogs) FDialogs->InformationBox(SystemInstallText());
        return false;
    }
    return FDialogs && FDialogs->ShowUpgradeBox(
                           upgradeMsg, VersionChange(FRunning.VersionNumber, FReleaseVersion));
}

void TkuRenovator::RedirectToURL(const std::string& url) {
    SetQueryInfoStage(false);
    OpenURL(url, true);
}

void TkuRenovator::StartDownload() {
    DoUpgrade(true);
}

void TkuRenovator::LaterUpgrade() {
    SetQueryInfoStage(false);
    if (OnLaterUpgrade) OnLaterUpgrade(this);
}

void TkuRenovator::NoUpdateAvailable() {
    SetQueryInfoStage(false);
    if (OnNoUpdateAvailable) OnNoUpdateAvailable(this);
}

void TkuRenovator::ReportNoUpdate() {
    if (FDialogs) FDialogs->InformationBox(KULangStr(24));
}

void TkuRenovator::ReleaseWait() {
    StopWait(FWaitHandle);
}

// Download phase.

void TkuRenovator::DoUpgrade(bool start) {
    if (start && !DestinationsAllowed()) return;
    if (start) {
        SetQueryInfoStage(false);
        // A download an earlier attempt left must never reach the helper with
        // this release's files, nor anything planted where this release's go.
        DeleteTemporaryFiles();
        RemoveReleaseDownloads();
        FRefusal.clear();
        FCurrentIndex = 0;
        FSkipped = 0;
        if (FWizard.Enabled && FDialogs) FDialogs->ShowRenovatorWizard(*this);
    } else {
        ++FCurrentIndex;
    }
    const int count = FState.Files.Count();
    if (FCurrentIndex >= count) {
        FinishDownload();
        return;
    }
    const std::string url = FState.Files.GetName(FCurrentIndex);
    if (WizardOpen())
        FDialogs->ShowWizardFile(
            url, KUFmtLangStr(9, {std::int64_t{FCurrentIndex + 1}, std::int64_t{count}}));
    FCurrentURL = url;
    FCurrentTarget = PrepareDestination(FCurrentIndex) + std::string(kTemporarySuffix);
    FCurrentFileTime = 0;
    ReleaseHTTPStream();
    StartTransfer(TkuUpdateTransfer::File, url, FCurrentTarget);
}

// Refused before anything is downloaded or a folder made, so nothing is written. An
// install this user cannot change is its owner's or the package manager's to update.
bool TkuRenovator::DestinationsAllowed() {
    if (FSystemInstall) {
        RefuseBeforeDownload("the system's package manager updates this install");
        if (FDialogs) FDialogs->InformationBox(SystemInstallText());
        return false;
    }
    int entry = FirstEscapingEntry(FState.Files);
    int message = 34;
    std::string why = " lies outside the folders a release may write";
    if (entry < 0) {
        entry = FirstUnwritableEntry(FState.Files);
        message = 35;
        why = " is in a folder this user cannot change";
    }
    if (entry < 0) return true;
    RefuseBeforeDownload("the destination " + EntryDestination(FState.Files, entry) + why);
    ErrorBox(message, QCoreApplication::applicationName().toStdString());
    return false;
}

void TkuRenovator::RefuseBeforeDownload(const std::string& refusal) {
    SetQueryInfoStage(false);
    FRefusal = refusal;
    FAborted = true;
    if (OnAborted) OnAborted(this);
}

std::string TkuRenovator::SystemInstallText() const {
    return KUFmtLangStr(39, {QCoreApplication::applicationName().toStdString(),
                             VersionChange(FRunning.VersionNumber, FReleaseVersion)});
}

std::string TkuRenovator::PrepareDestination(int index) {
    const std::string destination = EntryDestination(FState.Files, index);
    if (FState.Files.GetValue(index).empty()) return destination;
    CreateDirectory(destination);
    FState.Files.SetValue(index, destination);
    return destination;
}

void TkuRenovator::FinishDownload() {
    if (WizardOpen()) {
        FDialogs->FinishWizard(FState.Files.Count() - FSkipped, FSkipped);
        Wait(FWaitHandle, 0, true);
        if (FAborted) return;
    }
    FUpgradeDone = true;
    bool restartImediately = true;
    if (OnEndUpgrade) OnEndUpgrade(this, restartImediately);
    if (restartImediately) RestartApplication("");
}

bool TkuRenovator::SameSizeAsServer(std::int32_t contentLength) const {
    const std::string destination =
        FCurrentTarget.substr(0, FCurrentTarget.size() - kTemporarySuffix.size());
    // The program itself is always downloaded.
    if (CaseAnsiCompareText(platform::ExtractFileName(destination),
                            platform::ExtractFileName(ApplicationFileName()), false) == 0)
        return false;
    return ExtractFileSize(destination) == contentLength;
}

void TkuRenovator::HTTPHeaderInfo(std::int32_t contentLength, TDateTime lastModified,
                                  bool& continueDownload) {
    if (FQueryPhase || FSignatureStage != TkuSignatureStage::None) return;
    FCurrentFileTime = lastModified;
    if (WizardOpen()) FDialogs->ShowWizardFileSize(KUFmtLangStr(6, {contentLength / 1024.0}));
    if (FMiscFilesUpgrade == TdyMiscFilesUpgradeBehavior::mfuOnlyIfSizeDifferent &&
        contentLength != 0 && FState.Files.Count() > 1 && SameSizeAsServer(contentLength))
        continueDownload = false;
    if (OnFileStart) OnFileStart(this, FCurrentURL, contentLength, lastModified, continueDownload);
}

// The transfer engine hands a memory answer over from its start.
void TkuRenovator::HTTPDone(QIODevice* stream) {
    const TkuSignatureStage stage = std::exchange(FSignatureStage, TkuSignatureStage::None);
    if (stage == TkuSignatureStage::InfoFile)
        InfoFileSignatureReceived(StreamToString(stream));
    else if (stage == TkuSignatureStage::File)
        FileSignatureReceived(StreamToString(stream));
    else if (FQueryPhase)
        InfoFileReceived(StreamToString(stream));
    else
        FileReceived();
}

TkuUpdateCheck TkuRenovator::CurrentCheck() const {
    return {FRunning, Shows(TkuRenovatorShowMessage::mAskUpgrade),
            Shows(TkuRenovatorShowMessage::mNoUpdateAvailable), FQueryOnly, FAutoCheckRunning};
}

void TkuRenovator::FetchSignature(const std::string& url, TkuSignatureStage stage) {
    FSignatureStage = stage;
    ReleaseHTTPStream();
    StartTransfer(TkuUpdateTransfer::Signature, TkuReleaseVerifier::SignatureURL(url), "");
}

void TkuRenovator::InfoFileReceived(const std::string& text) {
    FInfoText = text;
    FReleaseVersion = InfoFileValue(text, "#version");
    if (FVerifier.CanVerify()) {
        FetchSignature(FInfoFileURL, TkuSignatureStage::InfoFile);
        return;
    }
    // Without a key the release can be reported, never offered.
    TkuUpdateCheck check = CurrentCheck();
    check.QueryOnly = true;
    ParseInfoFile(text, check, FState, *this);
    if (FState.UpdateAvailable && !FQueryOnly) {
        FRefusal = "this build has no publisher key to verify releases with";
        ReportUnverified();
        LaterUpgrade();
    }
}

void TkuRenovator::InfoFileSignatureReceived(const std::string& signature) {
    const TkuSignatureVerdict verdict =
        FVerifier.VerifyText(FInfoFileURL, FInfoText, signature, FReleaseVersion);
    if (verdict != TkuSignatureVerdict::Valid) {
        RefuseRelease(SignatureVerdictText(verdict));
        return;
    }
    ParseInfoFile(FInfoText, CurrentCheck(), FState, *this);
}

void TkuRenovator::FileReceived() {
    if (FCurrentFileTime != 0) SetFileTimes(FCurrentTarget, FCurrentFileTime, FCurrentFileTime, -1);
    FetchSignature(FCurrentURL, TkuSignatureStage::File);
}

void TkuRenovator::FileSignatureReceived(const std::string& signature) {
    const TkuSignatureVerdict verdict =
        FVerifier.VerifyFile(FCurrentURL, FCurrentTarget, signature, FReleaseVersion);
    if (verdict != TkuSignatureVerdict::Valid) {
        RefuseRelease(SignatureVerdictText(verdict));
        return;
    }
    if (OnFileDone) OnFileDone(this, FCurrentTarget);
    DoUpgrade(false);
}

void TkuRenovator::RefuseRelease(std::string_view reason) {
    FRefusal = reason;
    Abort(false);
    ReportUnverified();
}

void TkuRenovator::ReportUnverified() {
    ErrorBox(31, QCoreApplication::applicationName().toStdString());
}

void TkuRenovator::HTTPDoneInterrupted() {
    if (!FQueryPhase) DoUpgrade(false);
}

void TkuRenovator::HTTPProgress(std::int32_t dataSize, std::int32_t bytesRead,
                                std::int32_t elapsedTime, std::int32_t estimatedTimeLeft,
                                std::uint8_t percentsDone, float transferRate) {
    if (FQueryPhase || FSignatureStage != TkuSignatureStage::None) return;
    const int count = std::max(FState.Files.Count(), 1);
    const auto total =
        static_cast<std::uint8_t>(PercentsOf(FCurrentIndex, count) + percentsDone / count);
    if (OnProgress)
        OnProgress(this, FCurrentURL, dataSize, bytesRead, elapsedTime, estimatedTimeLeft,
                   percentsDone, total, transferRate);
    if (!WizardOpen()) return;
    const std::int64_t left = estimatedTimeLeft;
    FDialogs->ShowWizardProgress(percentsDone, total,
                                 KUFmtLangStr(7, {static_cast<double>(transferRate)}),
                                 KUFmtLangStr(8, {left / 3600, (left / 60) % 60, left % 60}));
}

void TkuRenovator::HTTPError(std::int32_t errorCode) {
    // A signature the server does not have is a release that cannot be proven.
    if (std::exchange(FSignatureStage, TkuSignatureStage::None) != TkuSignatureStage::None) {
        RefuseRelease("the signature file is missing on the server");
        return;
    }
    if (FQueryPhase) {
        SetQueryInfoStage(false);
        ReleaseWait();
        if (OnNoInfoFile) OnNoInfoFile(this);
        if (Shows(TkuRenovatorShowMessage::mNoInfoFile)) ErrorBox(25);
        return;
    }
    bool continueUpgrade = false;
    if (OnLostFile) OnLostFile(this, FCurrentURL, errorCode, continueUpgrade);
    if (Shows(TkuRenovatorShowMessage::mLostFile))
        continueUpgrade =
            FDialogs && FDialogs->AskSkipLostFile(KUFmtLangStr(28, {FileName()}),
                                                  KULangStr(21) + " #" + std::to_string(errorCode));
    FSkipped += continueUpgrade ? 1 : 0;
    if (continueUpgrade)
        DoUpgrade(false);
    else
        Abort(false);
}

void TkuRenovator::HTTPConnLost() {
    if (OnConnLost) OnConnLost(this);
    if (ReportedOverLimit()) return;
    if (Shows(TkuRenovatorShowMessage::mConnLost)) ErrorBox(30);
    SafeTerminate(false);
}

// Nothing of a release that passed a limit is kept: the user learns which limit,
// whatever messages are chosen, since no retry can help.
bool TkuRenovator::ReportedOverLimit() {
    const TkuHTTPFailure failure = LastFailure();
    if (failure != TkuHTTPFailure::TooLarge && failure != TkuHTTPFailure::NoDiskSpace) return false;
    const std::string file = FileName();
    Abort(false);
    ErrorBox(failure == TkuHTTPFailure::TooLarge ? 32 : 33, file);
    return true;
}

void TkuRenovator::HTTPHostUnreachable() {
    if (OnHostUnreachable) OnHostUnreachable(this, URL(), HostName());
    if (FAutoCheckRunning) {
        FAutoCheckDone = false;
        UpdateTimer();
    } else if (Shows(TkuRenovatorShowMessage::mHostUnreachable)) {
        ErrorBox(26, "http://" + HostName());
    }
    SafeTerminate(false);
}

void TkuRenovator::HTTPPasswordRequest(const std::string& realm, bool& tryAgain) {
    if (OnPasswordRequest) OnPasswordRequest(this, realm, tryAgain);
    if (tryAgain || !Shows(TkuRenovatorShowMessage::mPasswordRequest)) return;
    tryAgain = FDialogs && FDialogs->ShowPasswordBox(*this, FileName());
    if (!tryAgain) Abort(false);
}

void TkuRenovator::ErrorBox(int message, const std::string& argument) {
    if (FDialogs) FDialogs->ErrorBox(KUFmtLangStr(message, {argument}));
}

// Stopping and restarting.

void TkuRenovator::SafeTerminate(bool force) {
    SetQueryInfoStage(false);
    FSignatureStage = TkuSignatureStage::None;
    ReleaseWait();
    TkuCustomHTTP::Abort(false, force);
    if (FDialogs) FDialogs->DestroyWizard();
}

void TkuRenovator::Abort(bool force) {
    FAborted = true;
    SafeTerminate(force);
    DeleteTemporaryFiles();
    if (OnAborted) OnAborted(this);
}

void TkuRenovator::RemoveReleaseDownloads() {
    for (int i = 0; i < FState.Files.Count(); ++i) {
        const std::string download =
            EntryDestination(FState.Files, i) + std::string(kTemporarySuffix);
        struct stat info {};
        if (::lstat(download.c_str(), &info) == 0 && !S_ISDIR(info.st_mode))
            ::unlink(download.c_str());
    }
}

void TkuRenovator::DeleteTemporaryFiles() {
    QDir folder(QString::fromStdString(ApplicationFolder()));
    // System takes in links whose target is gone; a link itself is removed, never its target.
    const QStringList names =
        folder.entryList({QStringLiteral("*.uTMP")}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names) folder.remove(name);
    // Downloads into other folders would otherwise stay behind, hidden. Only
    // destinations the download has already made absolute count, and only where a
    // release may write.
    for (int i = 0; i < FState.Files.Count(); ++i)
        if (const std::string destination = FState.Files.GetValue(i);
            destination.starts_with('/') && IsAllowedDestination(destination))
            std::remove((destination + std::string(kTemporarySuffix)).c_str());
}

void TkuRenovator::RestartApplication(const std::string& params) {
    if (!FUpgradeDone) DeleteTemporaryFiles();
    Relaunch(params.empty() ? FRestartParams + MethodDigit(FState.UpgradeMethod) : params);
}

void TkuRenovator::Relaunch(const std::string& params) {
    if (const std::string why = HandOverToHelper(params); !why.empty()) {
        // Closing now would look like an update under way while nothing runs.
        if (FDialogs) FDialogs->ErrorBox("The update cannot go on: " + why + ".");
        return;
    }
    if (OnDoOwnCloseAppMethod)
        OnDoOwnCloseAppMethod(this);
    else
        ShutdownApplication();
}

std::string TkuRenovator::HandOverToHelper(const std::string& params) {
    const std::string helper = UpdateHelperPath();
    const std::string queue = UpdateQueuePath();
    if (helper.empty() || queue.empty()) return "no private temporary folder can be had";
    // Replaced by a rename, so even a copy still running from an earlier
    // update never stands in the way.
    if (!WriteUpdateHelper(helper)) return "the update helper cannot be written to " + helper;
    // A queue left by an earlier update must never be applied to this one.
    std::remove(queue.c_str());
    if (!FState.Files.WriteValuesToFile(queue))
        return "the list of files to install cannot be written to " + queue;
    if (!QProcess::startDetached(QString::fromStdString(helper),
                                 {QString::fromStdString(ApplicationFileName()),
                                  QString::fromStdString("+" + params)})) {
        std::remove(queue.c_str());
        return "the update helper " + helper + " cannot be started";
    }
    return {};
}

}  // namespace tessaro
