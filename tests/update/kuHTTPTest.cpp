#include "update/http/kuFiler.h"
#include "update/http/kuHTTPUploadStream.h"
#include "update/http/kuLoginComponent.h"
#include "update/http/kuURLEncoding.h"
#include "update/utils/kuURL.h"

#include <QBuffer>

#include <gtest/gtest.h>

#include <string>

namespace tessaro {
namespace {

TEST(URLEncode, EscapesOnlyTheListedBytes) {
    // clang-format off
    const std::pair<std::string, std::string> rows[] = {
        {"", ""}, {"a b", "a%20b"}, {"a+b", "a%2Bb"}, {"x=1&y=2", "x=1&y=2"}, {"/?:\"", "/?:\""},
        {"#%*<>", "%23%25%2A%3C%3E"}, {{"\0\x01\x1f", 3}, "%00%01%1F"}, {"\x7f~", "\x7f~"},
        {"\x80\xff", "%80%FF"}, {"tab\tend\r\n", "tab%09end%0D%0A"}};
    // clang-format on
    for (const auto& [plain, coded] : rows) EXPECT_EQ(URLEncode(plain), coded) << coded;
    std::string scheme, host, path, userName, password, extraInfo;
    std::uint16_t port = 0;
    ASSERT_TRUE(ParseURL("127.0.0.1/info.txt?lang=de&v=1.2", scheme, host, path, userName, password,
                         extraInfo, port));
    EXPECT_EQ(URLEncode(extraInfo), "?lang=de&v=1.2");
}

TEST(URLDecode, DecodesAndDropsMalformedEscapes) {
    // clang-format off
    const std::pair<std::string, std::string> rows[] = {
        {"", ""}, {"a+b", "a b"}, {"%41", "A"}, {"%2b%2F", "+/"}, {"x%zzy", "xy"},
        {"x%4gy", "xy"}, {"100%", "100"}, {"a%00b", "ab"}, {"x%4", "x\x04"}, {"%%41", "1"},
        {"%+41", "1"}, {"%C3%BC", "\xC3\xBC"}, {"plain/text?x=1", "plain/text?x=1"}};
    // clang-format on
    for (const auto& [coded, plain] : rows) EXPECT_EQ(URLDecode(coded), plain) << coded;
    std::string all;
    for (int byte = 1; byte < 256; ++byte) all += static_cast<char>(byte);
    EXPECT_EQ(URLDecode(URLEncode(all)), all);
}

const std::string kHeaderPrefix = "Content-Type: multipart/form-data, boundary=";

std::string BoundaryOf(const std::string& headerLine) {
    EXPECT_EQ(headerLine.substr(0, kHeaderPrefix.size()), kHeaderPrefix);
    EXPECT_EQ(headerLine.find_first_of("\r\n"), std::string::npos);
    return headerLine.substr(kHeaderPrefix.size());
}

TEST(TkuHTTPUploadStream, BuildsTheBodyByteForByte) {
    std::string headerLine;
    TkuHTTPUploadStream stream(headerLine);
    const std::string delimiter = "--" + BoundaryOf(headerLine);
    EXPECT_EQ(stream.Delimiter(), delimiter);
    const auto part = [&](const std::string& name, const std::string& file, const QByteArray& v) {
        stream.WritePartHeader(name, file);
        stream.write(v);
        stream.WritePartEnd();
    };
    part("comment", "", "hello");
    part("upload", "report.TXT", QByteArray("line\0two", 8));
    part("blob", "data", "\x01\x02");
    stream.WriteClosingDelimiter();
    const std::string disposition = "\r\nContent-Disposition: form-data; name=";
    const std::string expected =
        delimiter + disposition + "\"comment\"\r\n\r\nhello\r\n" + delimiter + disposition +
        "\"upload\"; filename=\"report.TXT\"\r\nContent-Type: text/plain\r\n\r\n" +
        std::string("line\0two", 8) + "\r\n" + delimiter + disposition +
        "\"blob\"; filename=\"data\"\r\nContent-Type: application/octet-stream\r\n\r\n"
        "\x01\x02\r\n" +
        delimiter + "--\r\n";
    EXPECT_EQ(stream.data().toStdString(), expected);
    ASSERT_TRUE(stream.seek(0));
    EXPECT_EQ(stream.readAll().toStdString(), expected);
}

TEST(TkuHTTPUploadStream, EveryBodyHasItsOwnBoundaryAndNamesCannotBreakItsStructure) {
    std::string first, second;
    TkuHTTPUploadStream stream(first), empty(second);
    EXPECT_NE(first, second);
    empty.WriteClosingDelimiter();
    EXPECT_EQ(empty.data().toStdString(), "--" + BoundaryOf(second) + "--\r\n");
    stream.WritePartHeader("a\"b", "evil\"\r\nX-Injected: 1.txt");
    const std::string body = stream.data().toStdString();
    EXPECT_NE(body.find("name=\"a%22b\""), std::string::npos);
    EXPECT_NE(body.find("filename=\"evil%22%0D%0AX-Injected: 1.txt\"\r\nContent-Type: text/plain"),
              std::string::npos);
    EXPECT_EQ(body.find("\r\nX-Injected"), std::string::npos);
}

std::unique_ptr<TkuLoginComponent> Login(const std::string& username, const std::string& password) {
    auto component = std::make_unique<TkuLoginComponent>();
    component->SetUsername(username);
    component->SetPassword(password);
    return component;
}

// The "LInfo" record as written, or nothing where the component refuses it.
QByteArray Record(const TkuLoginComponent& component) {
    QByteArray bytes;
    QBuffer stream(&bytes);
    stream.open(QIODevice::WriteOnly);
    const bool written = component.WriteData(stream);
    EXPECT_EQ(written, !bytes.isEmpty());
    return bytes;
}

TEST(TkuLoginComponent, LInfoReadsBackWhatWasWrittenAndAnEmptyLoginWritesNothing) {
    const std::pair<std::string, std::string> rows[] = {
        {"", ""},
        {"admin", "secret"},
        {"user", ""},
        {"", "only-password"},
        {"J\xC3\xBCrgen", "p\xC3\xA4ss"},
        {{"nul\0in", 6}, "x"},
        {std::string(254, 'u'), ""},
        {std::string(100, 'u'), std::string(154, 'p')},
        {std::string(100, 'u'), std::string(155, 'p')}};
    for (const auto& [username, password] : rows) {
        const bool fits = username.size() + password.size() <= 254;
        const bool empty = username.empty() && password.empty();
        TkuPropertyWriter writer;
        const auto source = Login(username, password);
        source->DefineProperties(writer);
        EXPECT_EQ(writer.Failed(),
                  fits ? std::vector<std::string>{} : std::vector<std::string>{"LInfo"});
        EXPECT_EQ(writer.Properties().size(), fits && !empty ? 1u : 0u);
        EXPECT_EQ(Record(*source).isEmpty(), !fits) << "refused, not cut";
        EXPECT_EQ(source->Password(), password);
        const auto target = Login("stale", "stale");
        TkuPropertyReader reader(writer.Properties());
        target->DefineProperties(reader);
        if (writer.Properties().empty()) continue;
        EXPECT_TRUE(reader.Failed().empty());
        EXPECT_EQ(target->Username() + "|" + target->Password(), username + "|" + password);
    }
}

TEST(TkuLoginComponent, TheRecordIsLengthPrefixedAndScrambledAndReadOnlyWhenConsistent) {
    QByteArray bytes = Record(*Login("ab", "xyz"));
    ASSERT_EQ(bytes.size(), 7);
    EXPECT_EQ(bytes[0], 6);  // 1 + 2 + 3
    EXPECT_FALSE(bytes.contains("ab") || bytes.contains("xyz"));
    // One mask for every byte after the first.
    EXPECT_EQ(bytes[1] ^ bytes[2], 2 ^ 'a');
    EXPECT_EQ(bytes[4] ^ bytes[6], 'x' ^ 'z');
    bytes[1] = static_cast<char>(bytes[1] ^ 2 ^ 9);  // a user name length beyond the record
    for (QByteArray record :
         {QByteArray(), QByteArray("\x00", 1), QByteArray("\x05\x01\x02", 3), bytes}) {
        const auto component = Login("kept", "");
        QBuffer stream(&record);
        stream.open(QIODevice::ReadOnly);
        EXPECT_FALSE(component->ReadData(stream));
        EXPECT_EQ(component->Username(), "kept");
    }
}

}  // namespace
}  // namespace tessaro
