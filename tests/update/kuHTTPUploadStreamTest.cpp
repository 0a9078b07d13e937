#include "update/http/kuHTTPUploadStream.h"

#include <gtest/gtest.h>

#include <string>

namespace tessaro {
namespace {

const std::string kHeaderPrefix = "Content-Type: multipart/form-data, boundary=";

std::string Body(const TkuHTTPUploadStream& stream) {
    return stream.data().toStdString();
}

std::string BoundaryOf(const std::string& headerLine) {
    EXPECT_EQ(headerLine.substr(0, kHeaderPrefix.size()), kHeaderPrefix);
    return headerLine.substr(kHeaderPrefix.size());
}

TEST(TkuHTTPUploadStream, BuildsTheBodyByteForByte) {
    std::string headerLine;
    TkuHTTPUploadStream stream(headerLine);
    const std::string boundary = BoundaryOf(headerLine);
    ASSERT_EQ(boundary.substr(0, 24), "---HTTP-DATA-BOUNDARY-0-");
    EXPECT_EQ(stream.Delimiter(), "--" + boundary);

    stream.WritePartHeader("comment", "");
    stream.write("hello");
    stream.WritePartEnd();
    stream.WritePartHeader("upload", "report.TXT");
    stream.write(QByteArray("line\0two", 8));
    stream.WritePartEnd();
    stream.WritePartHeader("blob", "data");
    stream.write("\x01\x02");
    stream.WritePartEnd();
    stream.WriteClosingDelimiter();

    const std::string delimiter = "--" + boundary;
    std::string expected;
    expected += delimiter + "\r\n";
    expected += "Content-Disposition: form-data; name=\"comment\"\r\n\r\n";
    expected += "hello\r\n";
    expected += delimiter + "\r\n";
    expected += "Content-Disposition: form-data; name=\"upload\"; filename=\"report.TXT\"\r\n";
    expected += "Content-Type: text/plain\r\n\r\n";
    expected += std::string("line\0two", 8) + "\r\n";
    expected += delimiter + "\r\n";
    expected += "Content-Disposition: form-data; name=\"blob\"; filename=\"data\"\r\n";
    expected += "Content-Type: application/octet-stream\r\n\r\n";
    expected += "\x01\x02\r\n";
    expected += delimiter + "--\r\n";
    EXPECT_EQ(Body(stream), expected);
}

TEST(TkuHTTPUploadStream, AnEmptyBodyIsJustTheClosingDelimiter) {
    std::string headerLine;
    TkuHTTPUploadStream stream(headerLine);
    stream.WriteClosingDelimiter();
    EXPECT_EQ(Body(stream), "--" + BoundaryOf(headerLine) + "--\r\n");
}

TEST(TkuHTTPUploadStream, EveryBodyHasItsOwnBoundary) {
    std::string first;
    std::string second;
    const TkuHTTPUploadStream one(first);
    const TkuHTTPUploadStream two(second);
    EXPECT_NE(first, second);
    EXPECT_EQ(first.find_first_of("\r\n"), std::string::npos);
}

TEST(TkuHTTPUploadStream, NamesCannotBreakTheBodyStructure) {
    std::string headerLine;
    TkuHTTPUploadStream stream(headerLine);
    stream.WritePartHeader("a\"b", "evil\"\r\nX-Injected: 1.txt");
    const std::string body = Body(stream);
    EXPECT_NE(body.find("name=\"a%22b\""), std::string::npos);
    EXPECT_NE(body.find("filename=\"evil%22%0D%0AX-Injected: 1.txt\"\r\nContent-Type: text/plain"),
              std::string::npos);
    EXPECT_EQ(body.find("\r\nX-Injected"), std::string::npos);
}

TEST(TkuHTTPUploadStream, TheBodyCanBeReadBackFromTheStart) {
    std::string headerLine;
    TkuHTTPUploadStream stream(headerLine);
    stream.WritePartHeader("f", "");
    stream.write("v");
    stream.WritePartEnd();
    stream.WriteClosingDelimiter();
    ASSERT_TRUE(stream.seek(0));
    EXPECT_EQ(stream.readAll().toStdString(), Body(stream));
}

}  // namespace
}  // namespace tessaro
