#include "platform/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/Paths.h"
#include "platform/TerminationCleanup.h"

namespace tessaro::platform {
namespace {

bool Fail(std::string* error, const std::string& what, const std::string& path) {
    if (error) *error = what + " " + path + ": " + std::strerror(errno);
    return false;
}

bool WriteAll(int fd, std::string_view content) {
    while (!content.empty()) {
        const ssize_t written = ::write(fd, content.data(), content.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        content.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

}  // namespace

int CreateFileBeside(const std::string& path, mode_t mode, std::string& siblingPath) {
    const std::string folder = ExtractFileDir(path);
    const std::string stem = "." + ExtractFileName(path) + ".";
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        siblingPath = JoinPath(folder.empty() ? "." : folder,
                               stem + std::to_string(getpid()) + "-" + std::to_string(attempt));
        const int fd =
            ::open(siblingPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd >= 0) RemoveOnTermination(siblingPath.c_str());
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

bool WriteFileAtomically(const std::string& path, std::string_view content, mode_t mode,
                         std::string* error) {
    std::string sibling;
    const int fd = CreateFileBeside(path, mode, sibling);
    if (fd < 0) return Fail(error, "Cannot create a file beside", path);
    const bool written = WriteAll(fd, content) && ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0;
    const int savedErrno = errno;
    ::close(fd);
    if (!written || std::rename(sibling.c_str(), path.c_str()) != 0) {
        const int reason = written ? errno : savedErrno;
        ::unlink(sibling.c_str());
        RemoveOnTermination(nullptr);
        errno = reason;
        return Fail(error, "Cannot write", path);
    }
    RemoveOnTermination(nullptr);
    return true;
}

}  // namespace tessaro::platform
