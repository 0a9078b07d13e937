#include "platform/RegistryStore.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/AtomicFile.h"
#include "platform/Folders.h"
#include "platform/Paths.h"
#include "platform/RegistryHive.h"
#include "platform/WholeFile.h"

namespace tessaro::platform {
namespace {

enum class FileState { missing, readable, unreadable };

struct LoadedHive {
    FileState state = FileState::missing;
    std::optional<RegistryHive> hive;  // nullopt when the file does not parse
};

bool Fail(std::string* error, const std::string& reason) {
    if (error) *error = reason;
    return false;
}

LoadedHive LoadHive(const std::string& path, RegistryRoot root) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 && errno == ENOENT)
        return {FileState::missing, RegistryHive()};
    std::string text;
    if (!ReadWholeFile(path, text)) return {FileState::unreadable, std::nullopt};
    // An empty file holds nothing that could be lost.
    if (text.empty()) return {FileState::readable, RegistryHive()};
    return {FileState::readable, RegistryHive::Parse(text, RegistryRootName(root))};
}

bool MakeFolders(const std::string& folder, std::string* error) {
    std::string partial;
    size_t start = 0;
    while (start <= folder.size()) {
        const size_t end = std::min(folder.find('/', start), folder.size());
        partial = folder.substr(0, end);
        if (!partial.empty() && ::mkdir(partial.c_str(), 0700) != 0 && errno != EEXIST)
            return Fail(error, "Cannot create the folder " + partial + ": " + std::strerror(errno));
        start = end + 1;
    }
    return true;
}

// Held while a change reads, alters and rewrites the file, so that two
// processes never lose each other's changes.
class ChangeLock final {
public:
    explicit ChangeLock(const std::string& filePath)
        : fd_(::open((filePath + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW,
                     0600)) {
        if (fd_ >= 0 && ::flock(fd_, LOCK_EX) != 0) {
            ::close(fd_);
            fd_ = -1;
        }
    }
    ~ChangeLock() {
        if (fd_ >= 0) ::close(fd_);
    }
    ChangeLock(const ChangeLock&) = delete;
    ChangeLock& operator=(const ChangeLock&) = delete;
    bool Held() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

bool MoveCorruptFileAside(const std::string& path, std::string* error) {
    std::string aside = path + ".corrupt";
    for (int n = 1; ::access(aside.c_str(), F_OK) == 0; ++n)
        aside = path + ".corrupt." + std::to_string(n);
    if (std::rename(path.c_str(), aside.c_str()) != 0)
        return Fail(error, "Cannot move the unreadable registry file " + path +
                               " aside: " + std::strerror(errno));
    return true;
}

template <typename T>
std::optional<T> ReadAs(const RegistryStore& store, std::string_view key, std::string_view name) {
    const std::optional<RegistryValue> value = store.ReadValue(key, name);
    if (!value) return std::nullopt;
    if (const T* typed = std::get_if<T>(&*value)) return *typed;
    return std::nullopt;
}

// Loads the hive, lets `change` alter it and writes it back.
template <typename Change>
bool ChangeHive(RegistryRoot root, const std::string& folder, const std::string& path,
                std::string* error, Change change) {
    if (!MakeFolders(folder, error)) return false;
    ChangeLock lock(path);
    if (!lock.Held())
        return Fail(error, "Cannot lock the registry file " + path + ": " + std::strerror(errno));
    LoadedHive loaded = LoadHive(path, root);
    if (loaded.state == FileState::unreadable)
        return Fail(error, "Cannot read the registry file " + path + ": " + std::strerror(errno));
    const bool corrupt = !loaded.hive;
    if (corrupt) loaded.hive.emplace();
    if (!change(*loaded.hive)) return false;
    if (corrupt && !MoveCorruptFileAside(path, error)) return false;
    return WriteFileAtomically(path, loaded.hive->Format(RegistryRootName(root)), 0600, error);
}

RegistryHive ReadHive(RegistryRoot root, const std::string& path) {
    LoadedHive loaded = LoadHive(path, root);
    return loaded.hive ? std::move(*loaded.hive) : RegistryHive();
}

}  // namespace

std::string_view RegistryRootName(RegistryRoot root) {
    switch (root) {
        case RegistryRoot::localMachine:
            return "HKEY_LOCAL_MACHINE";
        case RegistryRoot::classesRoot:
            return "HKEY_CLASSES_ROOT";
        case RegistryRoot::currentUser:
            break;
    }
    return "HKEY_CURRENT_USER";
}

std::string DefaultRegistryFolder() {
    if (const char* folder = std::getenv("TESSARO_REGISTRY_DIR"); folder && *folder) return folder;
    return JoinPath(ConfigHome(), "Clipwarp/registry");
}

RegistryStore::RegistryStore(RegistryRoot root) : RegistryStore(root, DefaultRegistryFolder()) {}

RegistryStore::RegistryStore(RegistryRoot root, std::string folder)
    : root_(root),
      folder_(std::move(folder)),
      filePath_(JoinPath(folder_, std::string(RegistryRootName(root)) + ".reg")) {}

bool RegistryStore::KeyExists(std::string_view key) const {
    return ReadHive(root_, filePath_).KeyExists(key);
}

bool RegistryStore::ValueExists(std::string_view key, std::string_view name) const {
    return ReadValue(key, name).has_value();
}

std::optional<RegistryValue> RegistryStore::ReadValue(std::string_view key,
                                                      std::string_view name) const {
    const RegistryHive hive = ReadHive(root_, filePath_);
    const RegistryValue* value = hive.FindValue(key, name);
    return value ? std::optional<RegistryValue>(*value) : std::nullopt;
}

std::optional<std::string> RegistryStore::ReadString(std::string_view key,
                                                     std::string_view name) const {
    return ReadAs<std::string>(*this, key, name);
}

std::optional<std::uint32_t> RegistryStore::ReadDword(std::string_view key,
                                                      std::string_view name) const {
    return ReadAs<std::uint32_t>(*this, key, name);
}

std::optional<RegistryBinary> RegistryStore::ReadBinary(std::string_view key,
                                                        std::string_view name) const {
    return ReadAs<RegistryBinary>(*this, key, name);
}

std::vector<std::string> RegistryStore::ValueNames(std::string_view key) const {
    return ReadHive(root_, filePath_).ValueNames(key);
}

bool RegistryStore::WriteValue(std::string_view key, std::string_view name,
                               const RegistryValue& value, std::string* error) {
    return ChangeHive(root_, folder_, filePath_, error,
                      [&](RegistryHive& hive) { return hive.SetValue(key, name, value, error); });
}

bool RegistryStore::DeleteValue(std::string_view key, std::string_view name, std::string* error) {
    return ChangeHive(root_, folder_, filePath_, error,
                      [&](RegistryHive& hive) { return hive.DeleteValue(key, name, error); });
}

bool RegistryStore::DeleteKey(std::string_view key, std::string* error) {
    return ChangeHive(root_, folder_, filePath_, error,
                      [&](RegistryHive& hive) { return hive.DeleteKey(key, false, error); });
}

bool RegistryStore::DeleteKeyTree(std::string_view key, std::string* error) {
    return ChangeHive(root_, folder_, filePath_, error,
                      [&](RegistryHive& hive) { return hive.DeleteKey(key, true, error); });
}

}  // namespace tessaro::platform
