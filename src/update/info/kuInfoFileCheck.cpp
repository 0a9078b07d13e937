#include "update/info/kuInfoFileCheck.h"

#include "update/info/kuInfoFile.h"

namespace tessaro {
namespace {

void OfferUpgrade(std::string_view text, const TkuUpdateCheck& check, TkuInfoFileState& state,
                  TkuInfoFileEvents& events) {
    const std::string message = InfoFileValue(text, "#message", true);
    state.UpgradeMethod = InfoFileUpgradeMethod(text);
    bool canUpgrade = state.UpdateAvailable;
    events.BeginUpgrade(message, state.UpgradeMethod, state.Files, canUpgrade);
    if (check.QueryOnly) return;
    if (!canUpgrade || (check.AskUpgrade && !events.AskUpgrade(message))) {
        events.LaterUpgrade();
    } else if (state.UpgradeMethod != TdyUpgradeMethod::umRedirectToURL) {
        events.StartDownload();
    } else if (state.Files.Count() > 0) {
        events.RedirectToURL(state.Files.Strings(0));
    } else {
        // A handler emptied the list: there is nowhere to send the user.
        events.LaterUpgrade();
    }
}

void ReportNoUpdate(const TkuUpdateCheck& check, TkuInfoFileEvents& events) {
    events.NoUpdateAvailable();
    if (!check.Automatic && check.ReportNoUpdate) events.ReportNoUpdate();
}

}  // namespace

void ParseInfoFile(std::string_view text, const TkuUpdateCheck& check, TkuInfoFileState& state,
                   TkuInfoFileEvents& events) {
    ReadInfoFileEntries(text, state.Files);
    state.UpgradeMethod = TdyUpgradeMethod::umSelfUpgrade;
    state.UpdateAvailable = state.Files.Count() > 0 && IsNewerRelease(text, check.Running);
    if (state.UpdateAvailable)
        OfferUpgrade(text, check, state, events);
    else
        ReportNoUpdate(check, events);
    events.ReleaseWait();
}

}  // namespace tessaro
