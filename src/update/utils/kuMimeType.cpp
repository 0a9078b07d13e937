#include "update/utils/kuMimeType.h"

#include <QMimeDatabase>
#include <QString>

#include "platform/Paths.h"

namespace tessaro {

std::string GetMIMEType(std::string_view extension) {
    std::string key = platform::ToLowerAscii(extension);
    if (key.empty() || key == ".") return std::string(kDefaultMimeType);
    if (key.front() != '.') key.insert(0, 1, '.');
    // A path separator cannot belong to an extension.
    if (key.find('/') != std::string::npos) return std::string(kDefaultMimeType);
    const QMimeDatabase database;
    const QMimeType type =
        database.mimeTypeForFile(QString::fromUtf8("file" + key), QMimeDatabase::MatchExtension);
    return type.isValid() ? type.name().toStdString() : std::string(kDefaultMimeType);
}

}  // namespace tessaro
