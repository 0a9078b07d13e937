#include "update/utils/kuStreams.h"

#include <QFile>
#include <QIODevice>
#include <QString>

namespace tessaro {

bool LoadResourceToStream(const char* name, const char* resType, QIODevice* stream) {
    if (!stream || !name || !resType || !stream->isWritable()) return false;
    QFile resource(
        QStringLiteral(":/%1/%2").arg(QString::fromUtf8(resType), QString::fromUtf8(name)));
    if (!resource.open(QIODevice::ReadOnly)) return false;
    const QByteArray bytes = resource.readAll();
    if (bytes.isEmpty()) return false;
    if (!stream->isSequential() && !stream->seek(stream->size())) return false;
    return stream->write(bytes) == bytes.size();
}

std::string StreamToString(QIODevice* stream) {
    if (!stream || !stream->isReadable()) return {};
    const QByteArray bytes = stream->readAll();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

}  // namespace tessaro
