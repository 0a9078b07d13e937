#include "FileContents.h"

#include <sys/sendfile.h>
#include <unistd.h>

#include <cerrno>

namespace tessaro::tools {
namespace {

constexpr size_t kChunk = size_t{1} << 30;

enum class Attempt { Finished, Unsupported, Failed };

// Errors after which a simpler way of copying may still work.
bool MeansUnsupported(int error) {
    return error == EXDEV || error == ENOSYS || error == EINVAL || error == EOPNOTSUPP;
}

template <typename Transfer>
Attempt CopyWith(Transfer transfer, uint64_t& copied) {
    while (true) {
        const ssize_t moved = transfer();
        if (moved == 0) return Attempt::Finished;
        if (moved > 0) {
            copied += static_cast<uint64_t>(moved);
            continue;
        }
        if (errno == EINTR) continue;
        return MeansUnsupported(errno) ? Attempt::Unsupported : Attempt::Failed;
    }
}

bool WriteAll(int to, const char* data, size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(to, data, size);
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

bool CopyWithReadWrite(int from, int to, uint64_t& copied) {
    char buffer[1 << 16];
    while (true) {
        const ssize_t got = ::read(from, buffer, sizeof buffer);
        if (got == 0) return true;
        if (got < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (!WriteAll(to, buffer, static_cast<size_t>(got))) return false;
        copied += static_cast<uint64_t>(got);
    }
}

}  // namespace

// Each way continues from the file offsets the previous one reached.
bool CopyFileContents(int from, int to, uint64_t& copied) {
    copied = 0;
    const Attempt inKernel =
        CopyWith([&] { return ::copy_file_range(from, nullptr, to, nullptr, kChunk, 0); }, copied);
    if (inKernel != Attempt::Unsupported) return inKernel == Attempt::Finished;
    const Attempt sent = CopyWith([&] { return ::sendfile(to, from, nullptr, kChunk); }, copied);
    if (sent != Attempt::Unsupported) return sent == Attempt::Finished;
    return CopyWithReadWrite(from, to, copied);
}

}  // namespace tessaro::tools
