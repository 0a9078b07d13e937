#pragma once

#include <string>

namespace tessaro {

// The version text of an executable as major.minor.release.build. Only the
// running program carries a version record here (compiled in from the project
// version); any other file, or a path that does not exist, gives "".
std::string ReadVersionInfo(const std::string& executablePath);

// The running program's version text, e.g. "1.2.1.2".
std::string ProgramVersionText();

}  // namespace tessaro
