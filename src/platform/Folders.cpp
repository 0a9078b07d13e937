#include "platform/Folders.h"

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <stdexcept>

#include "platform/Paths.h"

namespace tessaro::platform {
namespace {

std::string EnvOr(const char* name, const std::string& fallback) {
    const char* value = std::getenv(name);
    return value && *value ? std::string(value) : fallback;
}

std::string ExpandHome(std::string value) {
    const std::string home = "$HOME";
    if (value.rfind(home, 0) == 0) value = HomeFolder() + value.substr(home.size());
    return value;
}

std::string UnquoteUserDirValue(const std::string& raw) {
    std::string value = raw;
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.substr(1, value.size() - 2);
    return ExpandHome(value);
}

struct stat ExamineFolder(const std::string& path) {
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0)
        throw std::runtime_error("Cannot examine the temporary folder " + path + ": " +
                                 std::strerror(errno));
    if (!S_ISDIR(info.st_mode))
        throw std::runtime_error("The temporary folder " + path + " is not a folder");
    if (info.st_uid != getuid())
        throw std::runtime_error("The temporary folder " + path + " belongs to another user");
    return info;
}

bool HoldsEntriesOfOthers(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return true;
    DIR* directory = ::fdopendir(fd);
    if (!directory) {
        ::close(fd);
        return true;
    }
    bool foreign = false;
    while (const dirent* entry = ::readdir(directory)) {
        struct stat info {};
        if (::fstatat(fd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 &&
            info.st_uid != getuid())
            foreign = true;
    }
    ::closedir(directory);
    return foreign;
}

// Whatever others could put into a folder open to them stays out of use: the
// folder is renamed (never emptied, as nothing in it may be touched safely)
// and a fresh one takes its place.
void SetAside(const std::string& path) {
    // A fresh empty folder of a unique name, which the rename then replaces.
    std::string aside = path + ".untrusted-XXXXXX";
    if (::mkdtemp(aside.data()) == nullptr || std::rename(path.c_str(), aside.c_str()) != 0)
        throw std::runtime_error(
            "The temporary folder " + path +
            " was open to other users and cannot be set aside: " + std::strerror(errno));
}

void MakeFolder(const std::string& path) {
    if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST)
        throw std::runtime_error("Cannot create the temporary folder " + path + ": " +
                                 std::strerror(errno));
}

void RequirePrivateFolder(const std::string& path) {
    MakeFolder(path);
    struct stat info = ExamineFolder(path);
    if ((info.st_mode & 022) != 0 || HoldsEntriesOfOthers(path)) {
        SetAside(path);
        MakeFolder(path);
        info = ExamineFolder(path);
    }
    if ((info.st_mode & 077) != 0 && chmod(path.c_str(), 0700) != 0)
        throw std::runtime_error("Cannot make the temporary folder " + path + " private");
}

}  // namespace

std::string ProgramFolder() {
    std::string buffer(4096, '\0');
    const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length <= 0) return ".";
    buffer.resize(static_cast<size_t>(length));
    return ExtractFileDir(buffer);
}

std::string HomeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home) return home;
    if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir) return entry->pw_dir;
    return "/";
}

std::string ConfigHome() {
    return EnvOr("XDG_CONFIG_HOME", JoinPath(HomeFolder(), ".config"));
}

std::string DataHome() {
    return EnvOr("XDG_DATA_HOME", JoinPath(HomeFolder(), ".local/share"));
}

std::string ProfileFolder() {
    return EnvOr("APPDATA", ConfigHome());
}

std::string TempFolder() {
    if (const char* temp = std::getenv("TEMP"); temp && *temp) return temp;
    const std::string base = EnvOr("TMPDIR", "/tmp");
    const std::string folder = JoinPath(base, "tessaro-" + std::to_string(getuid()));
    RequirePrivateFolder(folder);
    return folder;
}

std::string UserDirectory(const std::string& xdgName) {
    std::ifstream dirs(JoinPath(ConfigHome(), "user-dirs.dirs"));
    const std::string key = "XDG_" + xdgName + "_DIR=";
    for (std::string line; std::getline(dirs, line);) {
        if (line.rfind(key, 0) != 0) continue;
        const std::string value = UnquoteUserDirValue(line.substr(key.size()));
        if (!value.empty() && value != HomeFolder() + "/") return value;
    }
    return HomeFolder();
}

}  // namespace tessaro::platform
