#include "platform/PrivateTempFolder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <vector>

#include "platform/Paths.h"

namespace tessaro::platform {
namespace {

constexpr mode_t kOpenToOthers = 022;
constexpr std::string_view kRandomPart = "XXXXXX";

std::string Reason(const std::string& what) {
    return what + ": " + std::strerror(errno);
}

// Only the folder's own entries count: its parent, shown as "..", is
// normally root's, which is no reason for distrust.
bool HoldsEntriesOfOthers(const std::string& path, uid_t user) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return true;
    DIR* directory = ::fdopendir(fd);
    if (!directory) {
        ::close(fd);
        return true;
    }
    bool foreign = false;
    while (const dirent* entry = ::readdir(directory)) {
        const std::string_view name = entry->d_name;
        if (name == "." || name == "..") continue;
        struct stat info {};
        if (::fstatat(fd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 && info.st_uid != user)
            foreign = true;
    }
    ::closedir(directory);
    return foreign;
}

bool IsTrusted(const std::string& path, const struct stat& info, uid_t user) {
    return S_ISDIR(info.st_mode) && info.st_uid == user && (info.st_mode & kOpenToOthers) == 0 &&
           !HoldsEntriesOfOthers(path, user);
}

// Nobody else could write into it, so the read and search bits others had
// only need taking away.
bool MakePrivate(const std::string& path, const struct stat& info) {
    return (info.st_mode & 077) == 0 || ::chmod(path.c_str(), 0700) == 0;
}

// A fresh name for it: an empty folder or file of a unique name, which the
// rename then replaces (a folder can only replace a folder).
bool ReserveAsideName(std::string& aside, bool folder) {
    if (folder) return ::mkdtemp(aside.data()) != nullptr;
    const int fd = ::mkstemp(aside.data());
    return fd >= 0 && ::close(fd) == 0;
}

bool SetAside(const std::string& path, bool folder, std::string& why) {
    std::string aside = path + ".untrusted-" + std::string(kRandomPart);
    if (ReserveAsideName(aside, folder) && std::rename(path.c_str(), aside.c_str()) == 0)
        return true;
    why = Reason("was open to other users and cannot be set aside");
    return false;
}

// Makes `path` a trusted folder of `user`, or says why it cannot be one.
bool Claim(const std::string& path, uid_t user, std::string& why) {
    if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) {
        why = Reason("cannot be made");
        return false;
    }
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) {
        why = Reason("cannot be examined");
        return false;
    }
    if (info.st_uid != user) {
        why = "belongs to another user";
        return false;
    }
    if (!IsTrusted(path, info, user)) {
        if (!SetAside(path, S_ISDIR(info.st_mode), why)) return false;
        if (::mkdir(path.c_str(), 0700) != 0 || ::lstat(path.c_str(), &info) != 0 ||
            !IsTrusted(path, info, user)) {
            why = "was set aside but cannot be made again";
            return false;
        }
    }
    if (!MakePrivate(path, info)) {
        why = Reason("cannot be made private");
        return false;
    }
    return true;
}

bool IsTrustedFolder(const std::string& path, uid_t user) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && (info.st_mode & 077) == 0 &&
           IsTrusted(path, info, user);
}

// An earlier fallback folder of this user, so that every start does not leave
// one more behind and the programs of one user meet in one place.
std::string EarlierFallback(const std::string& base, const std::string& prefix, uid_t user) {
    std::vector<std::string> names;
    if (DIR* directory = ::opendir(base.c_str())) {
        while (const dirent* entry = ::readdir(directory)) {
            const std::string_view name = entry->d_name;
            if (name.starts_with(prefix) && name.size() == prefix.size() + kRandomPart.size())
                names.emplace_back(name);
        }
        ::closedir(directory);
    }
    std::sort(names.begin(), names.end());
    for (const std::string& name : names)
        if (IsTrustedFolder(JoinPath(base, name), user)) return JoinPath(base, name);
    return {};
}

}  // namespace

PrivateTempFolder MakePrivateTempFolder(const std::string& base, uid_t user) {
    const std::string name = "tessaro-" + std::to_string(user);
    const std::string usual = JoinPath(base, name);
    std::string why;
    if (Claim(usual, user, why)) return {usual, {}};
    const std::string prefix = name + "-";
    std::string fresh = EarlierFallback(base, prefix, user);
    if (fresh.empty()) {
        fresh = JoinPath(base, prefix + std::string(kRandomPart));
        if (::mkdtemp(fresh.data()) == nullptr)
            return {{},
                    "the temporary folder " + usual + " " + why +
                        ", and no private folder can be made in " + base + ": " +
                        std::strerror(errno)};
    }
    return {fresh, "the temporary folder " + usual + " " + why + "; using " + fresh + " instead"};
}

bool IsFolderClosedToOthers(const std::string& path, uid_t user) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == user &&
           (info.st_mode & kOpenToOthers) == 0;
}

}  // namespace tessaro::platform
