#include "update/info/kuVersionControl.h"

#include "update/info/kuInfoDate.h"
#include "update/info/kuInfoFile.h"
#include "update/utils/kuVersion.h"

namespace tessaro {

bool IsNewerRelease(std::string_view infoText, const TkuRunningRelease& running) {
    if (running.VersionControl == TkuRenovatorVersionControl::byNumber)
        return VersionCheck(InfoFileValue(infoText, "#version"), running.VersionNumber) > 0;
    return KUDateToDate(running.VersionDate) < KUDateToDate(InfoFileValue(infoText, "#date"));
}

}  // namespace tessaro
