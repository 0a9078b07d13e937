#pragma once

#include <QBuffer>

#include <string>
#include <string_view>

namespace tessaro {

// The body of a multipart form upload, built in memory and later sent from it
// in blocks. The constructor fills the caller's request header line
// ("Content-Type: multipart/form-data, boundary=<boundary>") with a fresh
// boundary; each part is a part header, the field's bytes written by the caller,
// and a part end; the closing delimiter ends the body.
class TkuHTTPUploadStream final : public QBuffer {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TkuHTTPUploadStream)

public:
    explicit TkuHTTPUploadStream(std::string& headerLine, QObject* parent = nullptr);

    const std::string& Delimiter() const { return delimiter_; }

    // The delimiter line and the field's disposition; with a file name also its
    // Content-Type by extension. Quotes, CR and LF in the names are sent as
    // %22, %0D and %0A so that a name cannot break the body's structure.
    void WritePartHeader(std::string_view fieldName, std::string_view fileName);
    void WritePartEnd();
    void WriteClosingDelimiter();

private:
    void WriteText(std::string_view text);

    std::string delimiter_;
};

}  // namespace tessaro
