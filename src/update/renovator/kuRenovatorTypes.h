#pragma once

#include <QImage>

#include <cstdint>
#include <functional>
#include <string>

#include "update/http/kuHTTPTypes.h"
#include "update/info/kuRenovatorInfo.h"
#include "update/renovator/kuRenovatorLanguage.h"
#include "update/utils/kuStringList.h"

class QObject;

namespace tessaro {

// Which of the engine's dialogs and message boxes appear.
enum class TkuRenovatorShowMessage {
    mAskUpgrade,
    mConnLost,
    mHostUnreachable,
    mLostFile,
    mNoInfoFile,
    mNoUpdateAvailable,
    mPasswordRequest
};
using TkuRenovatorShowMessages = TkuSet<TkuRenovatorShowMessage, std::uint8_t>;

enum class TdyMiscFilesUpgradeBehavior { mfuAlwaysDownload, mfuOnlyIfSizeDifferent };

// Settings of the download wizard.
struct TkuRenovatorWizard {
    bool Enabled = true;
    bool HideFileLocation = false;
    // Replaces the wizard's side picture (118 x 218) when not null.
    QImage Pic118x218;
    bool StayOnTop = true;
    TkuRenovatorLanguage Language() const { return language_; }
    // A different value changes the language of every message at once.
    void SetLanguage(TkuRenovatorLanguage language);

private:
    TkuRenovatorLanguage language_ = TkuRenovatorLanguage::wlAuto;
};

using TKUBeginUpgradeEvent =
    std::function<void(QObject* Sender, const std::string& UpgradeMsg,
                       TdyUpgradeMethod UpgradeMethod, TkuStringList& Files, bool& CanUpgrade)>;
using TKUEndUpgradeEvent = std::function<void(QObject* Sender, bool& RestartImediately)>;
using TKUProgressEvent = std::function<void(
    QObject* Sender, const std::string& FileURL, std::int32_t FileSize, std::int32_t BytesRead,
    std::int32_t ElapsedTime, std::int32_t EstimatedTimeLeft, std::uint8_t PercentsDone,
    std::uint8_t TotalPercentsDone, float TransferRate)>;
using TKUFileStartEvent =
    std::function<void(QObject* Sender, const std::string& FileURL, std::int32_t FileSize,
                       TDateTime FileTime, bool& CanUpgrade)>;
using TKUFileDoneEvent = std::function<void(QObject* Sender, const std::string& FileName)>;
using TKUHostUnreachableEvent =
    std::function<void(QObject* Sender, const std::string& URL, const std::string& Hostname)>;
using TKULostFileEvent = std::function<void(QObject* Sender, const std::string& FileURL,
                                            std::int32_t ErrorCode, bool& ContinueUpgrade)>;

}  // namespace tessaro
