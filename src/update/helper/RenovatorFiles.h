#pragma once

#include <string>
#include <vector>

#include "update/utils/kuFileAttributes.h"

namespace tessaro {

// Whether an entry of any kind exists at the path (links are not followed).
bool EntryExists(const std::string& path);
// A regular file itself, not a link to one.
bool IsRegularFile(const std::string& path);

// "Ends in exe" on Linux: an ELF image or a file with an executable bit.
bool IsProgramFile(const std::string& path);

// Renames a downloaded file over its destination in one step, so the
// destination is always either the old file or the complete new one. The new
// file takes the replaced file's permissions, and an ELF image is executable
// wherever it is readable. False (with errno set) when the move fails.
bool ReplaceWithDownload(const std::string& download, const std::string& destination);

// ReplaceWithDownload, then the destination's attribute marks are set to
// exactly `marks`; a failed move is reported and leaves the download in place.
bool MoveIntoPlace(const std::string& download, const std::string& destination,
                   TkuFileAttributes marks);

// Names of the regular files in the folder, in the order the file system
// lists them.
std::vector<std::string> ListRegularFiles(const std::string& folder);

}  // namespace tessaro
