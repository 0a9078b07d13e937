#include "update/helper/RenovatorReport.h"

#include <cerrno>
#include <cstring>
#include <iostream>

namespace tessaro {

void Report(const std::string& message) {
    std::cerr << "Renovator4: " << message << std::endl;
}

std::string ErrnoReason() {
    return std::string(": ") + std::strerror(errno);
}

}  // namespace tessaro
