#pragma once

#include <string>

#include "update/utils/kuStringList.h"

namespace tessaro {

// How a release is installed: "#method" of the info file.
enum class TdyUpgradeMethod { umSelfUpgrade, umUseExternalSetup, umRedirectToURL };

// Which info-file key decides whether a release is newer.
enum class TkuRenovatorVersionControl { byDate, byNumber };

// The publisher's description of a release, kept with the component's
// settings: the counterparts of the "#url", "#method" and "#message" keys.
// Nothing reads it while checking for updates.
struct TkuRenovatorInfo {
    TkuStringList Files;
    TdyUpgradeMethod UpgradeMethod = TdyUpgradeMethod::umSelfUpgrade;
    std::string UpgradeMsg;
};

}  // namespace tessaro
