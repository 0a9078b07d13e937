#include <QBuffer>
#include <QImage>

#include <array>

#include "update/http/kuCustomHTTP.h"

namespace tessaro {

bool TkuCustomHTTP::BeginPrepareUpload() {
    if (FTransfer) return false;
    auto transfer = std::make_shared<TkuHTTPTransfer>();
    transfer->uploadBody = std::make_unique<TkuHTTPUploadStream>(transfer->uploadHeader);
    FTransfer = std::move(transfer);
    return true;
}

void TkuCustomHTTP::UploadStream(const std::string& fieldName, QIODevice& source,
                                 const std::string& fileName) {
    if (!FTransfer || !FTransfer->uploadBody) return;
    TkuHTTPUploadStream& body = *FTransfer->uploadBody;
    body.WritePartHeader(fieldName, fileName);
    if (!source.isSequential()) source.seek(0);
    body.write(source.readAll());
    body.WritePartEnd();
}

void TkuCustomHTTP::UploadString(const std::string& fieldName, const std::string& value) {
    QBuffer bytes;
    bytes.setData(value.data(), static_cast<qsizetype>(value.size()));
    bytes.open(QIODevice::ReadOnly);
    UploadStream(fieldName, bytes, {});
}

void TkuCustomHTTP::UploadInteger(const std::string& fieldName, std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    const std::array<char, 4> littleEndian = {
        static_cast<char>(bits & 0xFF), static_cast<char>((bits >> 8) & 0xFF),
        static_cast<char>((bits >> 16) & 0xFF), static_cast<char>((bits >> 24) & 0xFF)};
    UploadString(fieldName, std::string(littleEndian.data(), littleEndian.size()));
}

void TkuCustomHTTP::UploadBoolean(const std::string& fieldName, bool value) {
    UploadInteger(fieldName, value ? 1 : 0);
}

void TkuCustomHTTP::UploadPicture(const std::string& fieldName, const QImage& picture,
                                  const std::string& fileName) {
    QBuffer encoded;
    encoded.open(QIODevice::ReadWrite);
    picture.save(&encoded, "PNG");
    UploadStream(fieldName, encoded, fileName);
}

bool TkuCustomHTTP::EndPrepareUpload() {
    if (!FTransfer || !FTransfer->uploadBody) return false;
    FTransfer->uploadBody->WriteClosingDelimiter();
    FTransfer->uploadPrepared = true;
    return Launch(FTransfer, false);
}

bool TkuCustomHTTP::Upload(std::uint16_t count) {
    if (!OnUploadFieldRequest || !BeginPrepareUpload()) return false;
    try {
        QBuffer scratch;
        for (std::uint16_t index = 0; index < count; ++index) {
            std::string fieldName, fileName;
            scratch.close();
            scratch.setData(QByteArray());
            scratch.open(QIODevice::ReadWrite);
            OnUploadFieldRequest(this, index, &scratch, fieldName, fileName);
            UploadStream(fieldName, scratch, fileName);
        }
    } catch (...) {
        EndPrepareUpload();
        throw;
    }
    EndPrepareUpload();
    return true;
}

}  // namespace tessaro
