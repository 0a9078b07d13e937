#pragma once

#include <string>
#include <string_view>

#include "update/info/kuRenovatorInfo.h"

namespace tessaro {

// The running release as the engine describes it.
struct TkuRunningRelease {
    TkuRenovatorVersionControl VersionControl = TkuRenovatorVersionControl::byDate;
    std::string VersionNumber;
    // "MM/DD/YYYY"
    std::string VersionDate;
};

// Whether the release an info file describes is newer than the running one:
// by number, "#version" compared with VersionCheck; by date, "#date" later than
// VersionDate (an unreadable date on either side counts as today).
bool IsNewerRelease(std::string_view infoText, const TkuRunningRelease& running);

}  // namespace tessaro
