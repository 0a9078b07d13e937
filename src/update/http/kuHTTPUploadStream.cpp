#include "update/http/kuHTTPUploadStream.h"

#include "platform/Paths.h"
#include "update/utils/kuAttachBoundary.h"
#include "update/utils/kuMimeType.h"

namespace tessaro {
namespace {

constexpr std::string_view kCrLf = "\r\n";

std::string QuotedName(std::string_view name) {
    std::string quoted = "\"";
    for (const char c : name) {
        if (c == '"')
            quoted += "%22";
        else if (c == '\r')
            quoted += "%0D";
        else if (c == '\n')
            quoted += "%0A";
        else
            quoted += c;
    }
    return quoted + "\"";
}

}  // namespace

TkuHTTPUploadStream::TkuHTTPUploadStream(std::string& headerLine, QObject* parent)
    : QBuffer(parent) {
    const std::string boundary = GenerateAttachBoundary('0');
    headerLine = "Content-Type: multipart/form-data, boundary=" + boundary;
    delimiter_ = "--" + boundary;
    open(QIODevice::ReadWrite);
}

void TkuHTTPUploadStream::WritePartHeader(std::string_view fieldName, std::string_view fileName) {
    std::string header = delimiter_;
    header.append(kCrLf)
        .append("Content-Disposition: form-data; name=")
        .append(QuotedName(fieldName));
    if (!fileName.empty()) {
        header.append("; filename=").append(QuotedName(fileName)).append(kCrLf);
        header.append("Content-Type: ").append(GetMIMEType(platform::ExtractFileExt(fileName)));
    }
    header.append(kCrLf).append(kCrLf);
    WriteText(header);
}

void TkuHTTPUploadStream::WritePartEnd() {
    WriteText(kCrLf);
}

void TkuHTTPUploadStream::WriteClosingDelimiter() {
    WriteText(delimiter_ + "--" + std::string(kCrLf));
}

void TkuHTTPUploadStream::WriteText(std::string_view text) {
    write(text.data(), static_cast<qint64>(text.size()));
}

}  // namespace tessaro
