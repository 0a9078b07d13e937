#pragma once

#include <string>

namespace tessaro::platform {

// Full path of a console tool: the program's own folder first, then PATH.
// Empty when no executable of that name is found.
std::string FindTool(const std::string& name);

}  // namespace tessaro::platform
