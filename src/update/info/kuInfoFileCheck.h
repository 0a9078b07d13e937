#pragma once

#include <string>
#include <string_view>

#include "update/info/kuRenovatorInfo.h"
#include "update/info/kuVersionControl.h"
#include "update/utils/kuStringList.h"

namespace tessaro {

// What the engine keeps of the last info file it parsed.
struct TkuInfoFileState {
    // File entries "URL" or "URL=destination"; the download phase rewrites
    // the destinations in place.
    TkuStringList Files;
    bool UpdateAvailable = false;
    TdyUpgradeMethod UpgradeMethod = TdyUpgradeMethod::umSelfUpgrade;
};

// How the check was started and which messages the engine shows.
struct TkuUpdateCheck {
    TkuRunningRelease Running;
    // mAskUpgrade: ask before downloading.
    bool AskUpgrade = true;
    // mNoUpdateAvailable: report that nothing newer exists.
    bool ReportNoUpdate = false;
    // CheckUpdate(true): decide only, never ask or download.
    bool QueryOnly = false;
    // Started by the automatic timer: never report that nothing is newer.
    bool Automatic = false;
};

// The engine's side of the decision: its events, dialogs and next steps.
class TkuInfoFileEvents {
public:
    virtual ~TkuInfoFileEvents() = default;
    // OnBeginUpgrade; a handler may clear CanUpgrade or edit the files.
    virtual void BeginUpgrade(const std::string& upgradeMsg, TdyUpgradeMethod method,
                              TkuStringList& files, bool& canUpgrade) = 0;
    // The upgrade question with the release notes; true on Yes.
    virtual bool AskUpgrade(const std::string& upgradeMsg) = 0;
    // Opens the first file entry in the registered browser.
    virtual void RedirectToURL(const std::string& url) = 0;
    // Downloads the listed files from the first one.
    virtual void StartDownload() = 0;
    // OnLaterUpgrade
    virtual void LaterUpgrade() = 0;
    // OnNoUpdateAvailable
    virtual void NoUpdateAvailable() = 0;
    // The information box "Newer version not found..."
    virtual void ReportNoUpdate() = 0;
    // Releases a caller waiting in CheckUpdate.
    virtual void ReleaseWait() = 0;
};

// Reads the info file, fills the state and takes the step the release calls
// for: begin the upgrade (then redirect, download or later), or report that no
// update is available. A release counts only when it is newer and lists at
// least one file.
void ParseInfoFile(std::string_view text, const TkuUpdateCheck& check, TkuInfoFileState& state,
                   TkuInfoFileEvents& events);

}  // namespace tessaro
