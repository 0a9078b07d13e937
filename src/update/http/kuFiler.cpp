#include "update/http/kuFiler.h"

#include <QBuffer>

namespace tessaro {

void TkuPropertyWriter::DefineBinaryProperty(const std::string& name,
                                             const TStreamProc& /*readData*/,
                                             const TStreamProc& writeData, bool hasData) {
    if (!hasData) return;
    QByteArray bytes;
    QBuffer stream(&bytes);
    stream.open(QIODevice::WriteOnly);
    if (writeData(stream))
        properties_[name] = bytes;
    else
        failed_.push_back(name);
}

void TkuPropertyReader::DefineBinaryProperty(const std::string& name, const TStreamProc& readData,
                                             const TStreamProc& /*writeData*/, bool /*hasData*/) {
    const auto found = properties_.find(name);
    if (found == properties_.end()) return;
    QBuffer stream(&found->second);
    stream.open(QIODevice::ReadOnly);
    if (!readData(stream)) failed_.push_back(name);
}

}  // namespace tessaro
