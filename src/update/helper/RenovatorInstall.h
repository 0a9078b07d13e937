#pragma once

#include <string>
#include <vector>

namespace tessaro {

// Puts the download of every destination (destination + ".uTMP") in place, all of
// them or none: each replaced file is kept under destination + ".uOLD" until every
// download is in place, and put back when one cannot be. A destination is always a
// complete file, the old one or the new one. Returns what went wrong, empty when
// every file is in place; after a failure the downloads left are the caller's.
std::string InstallAllDownloads(const std::vector<std::string>& destinations);

}  // namespace tessaro
