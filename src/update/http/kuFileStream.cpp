#include "update/http/kuFileStream.h"

#include <fcntl.h>
#include <unistd.h>

#include "update/utils/kuFileAttributes.h"

namespace tessaro {
namespace {

int OpenDescriptor(const std::string& fileName, bool truncate, bool fresh) {
    int flags = O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW;
    if (fresh)
        flags |= O_EXCL;
    else if (truncate)
        flags |= O_TRUNC;
    return ::open(fileName.c_str(), flags, 0666);
}

bool IsLocked(TkuFileAttributes attributes) {
    return attributes.Contains(TkuFileAttribute::atrReadOnly) ||
           attributes.Contains(TkuFileAttribute::atrHidden);
}

}  // namespace

TkuFileStream::TkuFileStream(const std::string& fileName, bool truncate, bool unlock, bool fresh)
    : QFile(QString::fromStdString(fileName)) {
    TkuFileAttributes previous;
    const bool relock = unlock && GetFileAttr(fileName, previous) && IsLocked(previous);
    if (relock) SetFileAttr(fileName, {TkuFileAttribute::atrArchive});
    const int descriptor = OpenDescriptor(fileName, truncate, fresh);
    if (relock) SetFileAttr(fileName, previous);
    if (descriptor < 0) throw EFCreateError(fileName);
    // Unbuffered, so that a failing write is seen by the write itself, never later.
    if (!open(descriptor, QIODevice::ReadWrite | QIODevice::Unbuffered,
              QFileDevice::AutoCloseHandle)) {
        ::close(descriptor);
        throw EFCreateError(fileName);
    }
}

}  // namespace tessaro
