#include "platform/WholeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace tessaro::platform {
namespace {

bool IsRegularFile(int fd) {
    struct stat info {};
    if (::fstat(fd, &info) != 0) return false;
    if (S_ISREG(info.st_mode)) return true;
    errno = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
    return false;
}

bool ReadAll(int fd, std::string& content) {
    char buffer[65536];
    while (true) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got == 0) return true;
        if (got < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        content.append(buffer, static_cast<size_t>(got));
    }
}

}  // namespace

bool ReadWholeFile(const std::string& path, std::string& content) {
    content.clear();
    // Non-blocking, so that opening a FIFO returns at once and is refused below.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return false;
    const bool read = IsRegularFile(fd) && ReadAll(fd, content);
    const int reason = errno;
    ::close(fd);
    errno = reason;
    return read;
}

}  // namespace tessaro::platform
