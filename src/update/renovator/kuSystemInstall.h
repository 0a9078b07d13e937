#pragma once

#include <string>

namespace tessaro {

// Whether a program folder belongs to the system's package manager: it lies under
// /usr, or root owns it and this user cannot write it. Such an install is updated
// through the package manager; the program may report a newer release but never
// downloads one. The folder is taken as given, links resolved.
bool IsSystemInstall(const std::string& programFolder);

}  // namespace tessaro
