#include "update/helper/RenovatorReport.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iostream>

#include "update/helper/RenovatorNames.h"

namespace tessaro {
namespace {

int resultFile = -1;

// One line; a path with a line break in it stays on its line.
void Record(const std::string& kind, std::string text) {
    if (resultFile < 0) return;
    std::replace(text.begin(), text.end(), '\n', ' ');
    const std::string line = kind + text + "\n";
    if (::write(resultFile, line.data(), line.size()) < 0) return;
}

}  // namespace

void StartResult(const std::string& folder) {
    if (resultFile >= 0) ::close(resultFile);
    const std::string path = folder + kRenovatorResultFileName;
    resultFile = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0600);
}

void Report(const std::string& message) {
    std::cerr << "Renovator4: " << message << std::endl;
    Record(kResultFailed, message);
}

void ReportMoved(const std::string& destination) {
    Record(kResultMoved, destination);
}

std::string ErrnoReason() {
    return std::string(": ") + std::strerror(errno);
}

}  // namespace tessaro
