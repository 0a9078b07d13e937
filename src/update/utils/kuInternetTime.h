#pragma once

#include <string_view>

#include "update/utils/kuDateTime.h"

namespace tessaro {

// An HTTP date in the RFC 1123, RFC 850 or asctime form (with an optional
// "+hhmm"/"-hhmm" zone after the time) as a local date-time. Two-digit years
// below 80 are 20xx, others 19xx. Empty or malformed dates give 0.
TDateTime InternetTimeToDateTime(std::string_view s);

}  // namespace tessaro
