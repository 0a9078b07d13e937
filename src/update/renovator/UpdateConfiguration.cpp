#include "update/renovator/UpdateConfiguration.h"

#include <cstdlib>

#include "settings/ProgramVersion.h"
#include "update/renovator/UpdatePublicKey.h"
#include "update/renovator/kuRenovator.h"

namespace tessaro {
namespace {

std::string WithoutTrailingSlashes(std::string url) {
    while (!url.empty() && url.back() == '/') url.pop_back();
    return url;
}

}  // namespace

std::string UpdateServer() {
    const char* configured = std::getenv("TESSARO_UPDATE_SERVER");
    return WithoutTrailingSlashes(configured && *configured ? configured : TESSARO_UPDATE_SERVER);
}

std::string CheckInfoFileURL() {
    return UpdateServer() + "/upgrade/tessaro.inf";
}

void ConfigureRenovator(TkuRenovator& renovator) {
    using Message = TkuRenovatorShowMessage;
    const std::string server = UpdateServer();
    renovator.SetTransferBufferSize(8192);
    renovator.SetInfoFileURL(server + "/upgrade/update.inf");
    renovator.SetVersionControl(TkuRenovatorVersionControl::byNumber);
    renovator.SetVersionDate("11/18/2009");
    renovator.SetVersionDateAutoSet(true);
    renovator.SetVersionNumber(ProgramVersionText());
    renovator.SetShowMessages({Message::mAskUpgrade, Message::mConnLost, Message::mHostUnreachable,
                               Message::mLostFile, Message::mNoInfoFile,
                               Message::mNoUpdateAvailable});
    renovator.Wizard().HideFileLocation = true;
    renovator.SetPublicKey(BuiltInUpdatePublicKey());
    TkuRenovatorInfo& info = renovator.InfoFile();
    info.Files.Clear();
    for (const char* file : {"tessaro", "charshift", "Lang.ini", "LangJ.ini"})
        info.Files.Add(server + "/upgrade/tessaro/" + file);
    info.UpgradeMsg = "Verified downloads and a clearer run report.";
}

}  // namespace tessaro
