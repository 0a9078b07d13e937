#include "platform/RunFolder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

#include "platform/Paths.h"

namespace tessaro::platform {
namespace {

constexpr std::string_view kPrefix = "run-";
// A folder is made under this prefix and renamed once it is locked, so that
// another run's clean-up never takes it for a left-over one.
constexpr std::string_view kNewPrefix = "new-";
constexpr std::string_view kRandomPart = "XXXXXX";

std::string NamePrefix(std::string_view frontEnd, std::string_view prefix = kPrefix) {
    return std::string(prefix) + std::string(frontEnd) + "-";
}

int LockFolder(const std::string& path, int lockMode) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return -1;
    if (::flock(fd, lockMode) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

void RemoveTree(const std::string& path) {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}

std::vector<std::string> EntriesStartingWith(const std::string& folder, const std::string& prefix) {
    std::vector<std::string> names;
    DIR* directory = ::opendir(folder.c_str());
    if (!directory) return names;
    while (const dirent* entry = ::readdir(directory)) {
        const std::string_view name = entry->d_name;
        if (name.starts_with(prefix)) names.emplace_back(name);
    }
    ::closedir(directory);
    return names;
}

// A folder whose lock can be taken belongs to no run still going on.
void RemoveEarlierRuns(const std::string& base, std::string_view frontEnd) {
    for (const std::string& name : EntriesStartingWith(base, NamePrefix(frontEnd))) {
        const std::string path = JoinPath(base, name);
        const int fd = LockFolder(path, LOCK_EX | LOCK_NB);
        if (fd < 0) continue;
        RemoveTree(path);
        ::close(fd);
    }
}

}  // namespace

std::optional<RunFolder> RunFolder::Create(const std::string& base, std::string_view frontEnd,
                                           std::string* error) {
    RemoveEarlierRuns(base, frontEnd);
    std::string fresh = JoinPath(base, NamePrefix(frontEnd, kNewPrefix) + std::string(kRandomPart));
    if (::mkdtemp(fresh.data()) == nullptr) {
        if (error) *error = "Cannot create a run folder in " + base + ": " + std::strerror(errno);
        return std::nullopt;
    }
    const std::string path =
        JoinPath(base, NamePrefix(frontEnd) + fresh.substr(fresh.size() - kRandomPart.size()));
    const int lockFd = LockFolder(fresh, LOCK_EX);
    if (lockFd < 0 || std::rename(fresh.c_str(), path.c_str()) != 0) {
        if (error) *error = "Cannot prepare the run folder " + path + ": " + std::strerror(errno);
        if (lockFd >= 0) ::close(lockFd);
        RemoveTree(fresh);
        return std::nullopt;
    }
    return RunFolder(path, lockFd);
}

RunFolder::RunFolder(RunFolder&& other) noexcept
    : path_(std::move(other.path_)), lockFd_(other.lockFd_), kept_(other.kept_) {
    other.lockFd_ = -1;
    other.path_.clear();
}

RunFolder::~RunFolder() {
    if (path_.empty()) return;
    if (!kept_) RemoveTree(path_);
    if (lockFd_ >= 0) ::close(lockFd_);
}

std::string RunFolder::Tag() const {
    return path_.substr(path_.size() - kRandomPart.size());
}

}  // namespace tessaro::platform
