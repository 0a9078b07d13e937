#include "update/helper/RenovatorWait.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "update/helper/RenovatorNames.h"

namespace tessaro {
namespace {

// Often enough that the restart follows the exit at once, rarely enough to
// cost nothing; no priority change, since a nice value could never be undone
// and would pass to the restarted program.
constexpr std::chrono::milliseconds kPollInterval{20};

bool IsNumber(const char* name) {
    return *name && std::strspn(name, "0123456789") == std::strlen(name);
}

bool IsFree(const std::string& path) {
    // O_NONBLOCK: a FIFO in the program's place must not hang the helper.
    const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd >= 0) {
        ::close(fd);
        return true;
    }
    if (errno == ENOENT) return true;
    // A file the user may not write (an install with mode 0555) never opens
    // for writing, though its folder lets it be replaced: it is free once no
    // process runs it.
    if (errno == EACCES || errno == EPERM || errno == EROFS) return !RunByAnyProcess(path);
    return false;
}

}  // namespace

bool RunByAnyProcess(const std::string& path) {
    struct stat file {};
    if (::stat(path.c_str(), &file) != 0) return false;
    DIR* proc = ::opendir("/proc");
    if (!proc) return false;
    bool running = false;
    while (const dirent* entry = ::readdir(proc)) {
        struct stat exe {};
        if (!IsNumber(entry->d_name)) continue;
        const std::string link = std::string("/proc/") + entry->d_name + "/exe";
        if (::stat(link.c_str(), &exe) == 0 && exe.st_dev == file.st_dev &&
            exe.st_ino == file.st_ino) {
            running = true;
            break;
        }
    }
    ::closedir(proc);
    return running;
}

std::chrono::milliseconds WritableWaitBound() {
    const char* text = std::getenv(kRenovatorWaitVariable);
    if (!text) return kDefaultWritableWait;
    long long milliseconds = 0;
    const char* end = text + std::strlen(text);
    const auto [stop, error] = std::from_chars(text, end, milliseconds);
    if (error != std::errc() || stop != end || milliseconds <= 0) return kDefaultWritableWait;
    return std::chrono::milliseconds(milliseconds);
}

bool WaitUntilWritable(const std::string& path, std::chrono::milliseconds bound) {
    const auto deadline = std::chrono::steady_clock::now() + bound;
    while (!IsFree(path)) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(kPollInterval);
    }
    return true;
}

}  // namespace tessaro
