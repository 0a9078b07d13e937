#include "update/helper/RenovatorWait.h"

#include <fcntl.h>
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

bool OpensForWriting(const std::string& path) {
    // O_NONBLOCK: a FIFO in the program's place must not hang the helper.
    const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT;
    ::close(fd);
    return true;
}

}  // namespace

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
    while (!OpensForWriting(path)) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(kPollInterval);
    }
    return true;
}

}  // namespace tessaro
