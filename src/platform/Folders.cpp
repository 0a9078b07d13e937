#include "platform/Folders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <mutex>
#include <set>
#include <stdexcept>
#include <vector>

#include "platform/Paths.h"
#include "platform/PrivateTempFolder.h"

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

// One message per folder, however often the folder is asked for.
void AnnounceOnce(const std::string& notice) {
    static std::mutex guard;
    static std::set<std::string> announced;
    const std::lock_guard lock(guard);
    if (announced.insert(notice).second) std::cerr << "tessaro: " << notice << '\n';
}

std::vector<std::string> PrivateFolderBases(const std::string& temp) {
    std::vector<std::string> bases;
    if (!temp.empty()) bases.push_back(temp);
    bases.push_back(EnvOr("TMPDIR", "/tmp"));
    if (const std::string runtime = EnvOr("XDG_RUNTIME_DIR", ""); !runtime.empty())
        bases.push_back(runtime);
    return bases;
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
    const std::string temp = EnvOr("TEMP", "");
    if (!temp.empty() && IsFolderClosedToOthers(temp, getuid())) return temp;
    std::string reasons;
    for (const std::string& base : PrivateFolderBases(temp)) {
        const PrivateTempFolder folder = MakePrivateTempFolder(base, getuid());
        if (!folder.notice.empty()) AnnounceOnce(folder.notice);
        if (!folder.path.empty()) return folder.path;
        reasons += (reasons.empty() ? "" : "; ") + folder.notice;
    }
    throw std::runtime_error("No private temporary folder can be made: " + reasons);
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
