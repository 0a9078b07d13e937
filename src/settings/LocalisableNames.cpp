#include "settings/LocalisableNames.h"

#include <algorithm>

namespace tessaro {

std::optional<LocalisableName> FindLocalisableName(std::string_view objectName) {
    const auto found =
        std::find_if(kLocalisableNames.begin(), kLocalisableNames.end(),
                     [&](const LocalisableName& entry) { return entry.name == objectName; });
    if (found == kLocalisableNames.end()) return std::nullopt;
    return *found;
}

}  // namespace tessaro
