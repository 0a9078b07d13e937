#include "settings/ProgramVersion.h"

#include <sys/stat.h>

#include "settings/TessaroVersion.h"

namespace tessaro {

std::string ProgramVersionText() {
    return kTessaroVersion;
}

std::string ReadVersionInfo(const std::string& executablePath) {
    struct stat file {
    }, running{};
    if (::stat(executablePath.c_str(), &file) != 0 || ::stat("/proc/self/exe", &running) != 0)
        return {};
    const bool isRunningProgram = file.st_dev == running.st_dev && file.st_ino == running.st_ino;
    return isRunningProgram ? ProgramVersionText() : std::string();
}

}  // namespace tessaro
