#pragma once

#include <QFile>

#include <stdexcept>
#include <string>

namespace tessaro {

// The file that could not be created or opened.
class EFCreateError final : public std::runtime_error {
public:
    explicit EFCreateError(const std::string& fileName)
        : std::runtime_error("Cannot create file \"" + fileName + "\"") {}
};

// A file opened for reading and writing, created when missing, never through a link.
// Truncate empties it; fresh creates it and fails when anything is there already, so
// that not even a hard link planted there is written through. Unlock lets a read-only
// or hidden file be opened and gives it its attributes back afterwards. Throws
// EFCreateError when the file cannot be opened.
class TkuFileStream final : public QFile {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TkuFileStream)

public:
    TkuFileStream(const std::string& fileName, bool truncate, bool unlock, bool fresh = false);
};

}  // namespace tessaro
