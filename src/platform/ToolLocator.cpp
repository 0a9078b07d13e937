#include "platform/ToolLocator.h"

#include <unistd.h>

#include <cstdlib>
#include <sstream>

#include "platform/Folders.h"
#include "platform/Paths.h"

namespace tessaro::platform {
namespace {

bool IsExecutable(const std::string& path) { return ::access(path.c_str(), X_OK) == 0; }

}  // namespace

std::string FindTool(const std::string& name) {
    const std::string beside = JoinPath(ProgramFolder(), name);
    if (IsExecutable(beside)) return beside;
    const char* path = std::getenv("PATH");
    std::istringstream folders(path ? path : "/usr/local/bin:/usr/bin:/bin");
    for (std::string folder; std::getline(folders, folder, ':');) {
        if (folder.empty()) continue;
        const std::string candidate = JoinPath(folder, name);
        if (IsExecutable(candidate)) return candidate;
    }
    return {};
}

}  // namespace tessaro::platform
