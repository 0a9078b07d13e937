#include "update/helper/RenovatorFiles.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdio>

#include "update/helper/RenovatorReport.h"

namespace tessaro {
namespace {

constexpr std::array<char, 4> kElfMagic = {'\x7f', 'E', 'L', 'F'};
constexpr mode_t kExecuteBits = S_IXUSR | S_IXGRP | S_IXOTH;

bool HasElfHeader(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    std::array<char, 4> magic{};
    const bool elf = ::read(fd, magic.data(), magic.size()) == 4 && magic == kElfMagic;
    ::close(fd);
    return elf;
}

// Read permission r gives execute permission x in the same class.
mode_t WithExecuteWhereReadable(mode_t mode) {
    return mode | ((mode & (S_IRUSR | S_IRGRP | S_IROTH)) >> 2);
}

}  // namespace

bool EntryExists(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

bool IsRegularFile(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool IsProgramFile(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
    return (info.st_mode & kExecuteBits) != 0 || HasElfHeader(path);
}

bool ReplaceWithDownload(const std::string& download, const std::string& destination) {
    struct stat source {};
    if (::lstat(download.c_str(), &source) != 0) return false;
    if (!S_ISREG(source.st_mode)) {
        errno = EINVAL;
        return false;
    }
    struct stat replaced {};
    mode_t mode = source.st_mode & 07777;
    if (::stat(destination.c_str(), &replaced) == 0 && S_ISREG(replaced.st_mode))
        mode = replaced.st_mode & 07777;
    if (HasElfHeader(download)) mode = WithExecuteWhereReadable(mode);
    // The mode is right before the rename: the destination never appears without it.
    if (::chmod(download.c_str(), mode) != 0) return false;
    return std::rename(download.c_str(), destination.c_str()) == 0;
}

bool MoveIntoPlace(const std::string& download, const std::string& destination,
                   TkuFileAttributes marks) {
    if (!ReplaceWithDownload(download, destination)) {
        Report("Cannot move " + download + " to " + destination + ErrnoReason());
        return false;
    }
    SetFileAttr(destination, marks);
    ReportMoved(destination);
    return true;
}

std::vector<std::string> ListRegularFiles(const std::string& folder) {
    std::vector<std::string> names;
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir) return names;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != ".." && IsRegularFile(folder + name)) names.push_back(name);
    }
    ::closedir(dir);
    return names;
}

}  // namespace tessaro
