#include <QBuffer>
#include <QImage>

#include <gtest/gtest.h>

#include "HTTPTestSupport.h"
#include "update/http/kuHTTP.h"

namespace tessaro::test {
namespace {

// The multipart body the server must have received, part by part.
struct Part {
    std::string name, fileName, contentType, bytes;
};

std::string ExpectedBody(const std::string& boundary, const std::vector<Part>& parts) {
    std::string body;
    for (const Part& part : parts) {
        body += "--" + boundary + "\r\nContent-Disposition: form-data; name=\"" + part.name + "\"";
        if (!part.fileName.empty())
            body += "; filename=\"" + part.fileName + "\"\r\nContent-Type: " + part.contentType;
        body += "\r\n\r\n" + part.bytes + "\r\n";
    }
    return body + "--" + boundary + "--\r\n";
}

// The boundary of the n-th logged request (from 1), from its Content-Type.
std::string BoundaryOfRequest(const TLoopbackServer& server, std::size_t n) {
    const std::vector<std::string> types = server.Logged("content-type");
    const std::string prefix = "multipart/form-data, boundary=";
    if (types.size() < n || !types[n - 1].starts_with(prefix)) return {};
    return types[n - 1].substr(prefix.size());
}

std::string PngOf(const QImage& image) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return buffer.data().toStdString();
}

class UploadTest : public TSharedServerTest {
protected:
    void SetUp() override {
        TSharedServerTest::SetUp();
        events.Attach(http);
    }
    // The body of the n-th logged request (from 1) as the server stored it.
    std::string Uploaded(std::size_t n) const {
        const std::vector<std::string> bodies = server.Logged("body");
        return bodies.size() < n ? std::string()
                                 : ReadFileBytes(QString::fromStdString(bodies[n - 1]));
    }

    TkuHTTP http;
    TEventLog events;
};

TEST_F(UploadTest, APreparedUploadArrivesByteForByteInBlocks) {
    QImage picture(3, 2, QImage::Format_RGB32);
    picture.fill(Qt::red);
    const std::string file = PatternBytes(0, 20000);
    QBuffer source;
    source.setData(file.data(), static_cast<qsizetype>(file.size()));
    source.open(QIODevice::ReadOnly);
    source.seek(500);  // the whole stream goes, from its beginning
    int calls = 0;
    std::int32_t lastSize = 0, lastSent = 0;
    http.OnUploadProgress = [&](QObject*, std::int32_t size, std::int32_t sent, std::int32_t,
                                std::int32_t, std::uint8_t, float) {
        EXPECT_TRUE(OnMainThread());
        ++calls, lastSize = size, lastSent = sent;
    };
    http.SetURL(server.Url("/upload"));
    ASSERT_TRUE(http.BeginPrepareUpload());
    EXPECT_FALSE(http.BeginPrepareUpload());
    EXPECT_FALSE(http.Read(false)) << "a prepared upload counts as started";
    http.UploadString("comment", "hello");
    http.UploadInteger("one", 1);
    http.UploadInteger("minus", -2);
    http.UploadBoolean("flag", true);
    http.UploadStream("file", source, "report.txt");
    http.UploadPicture("picture", picture, "p.png");
    ASSERT_TRUE(http.EndPrepareUpload());
    ASSERT_TRUE(PumpUntil([&] { return !events.Events().empty(); }));
    const std::string expected = ExpectedBody(BoundaryOfRequest(server, 1),
                                              {{"comment", "", "", "hello"},
                                               {"one", "", "", std::string("\x01\x00\x00\x00", 4)},
                                               {"minus", "", "", "\xFE\xFF\xFF\xFF"},
                                               {"flag", "", "", std::string("\x01\x00\x00\x00", 4)},
                                               {"file", "report.txt", "text/plain", file},
                                               {"picture", "p.png", "image/png", PngOf(picture)}});
    EXPECT_EQ(events.Joined(), "Done(text/plain," +
                                   std::to_string(std::string("received ").size() +
                                                  std::to_string(expected.size()).size()) +
                                   ")");
    EXPECT_EQ(events.body, "received " + std::to_string(expected.size()));
    EXPECT_TRUE(SameBytes(Uploaded(1), expected));
    EXPECT_EQ(calls, static_cast<int>((expected.size() + 4095) / 4096));
    EXPECT_EQ(lastSize, static_cast<std::int32_t>(expected.size()));
    EXPECT_EQ(lastSent, lastSize);
}

TEST_F(UploadTest, FieldsRequestedByTheEventBecomeParts) {
    EXPECT_FALSE(http.Upload(2)) << "no handler, nothing sent";
    http.OnUploadFieldRequest = [](QObject*, std::uint16_t index, QBuffer* stream,
                                   std::string& fieldName, std::string& fileName) {
        EXPECT_TRUE(fieldName.empty() && fileName.empty() && stream->size() == 0);
        stream->write(QByteArray::number(index * 11));
        if (index == 1) return;  // no name: still a part
        fieldName = "field" + std::to_string(index);
        if (index == 2) fileName = "data.bin";
    };
    http.SetURL(server.Url("/upload?auth=u:p"));
    int asked = 0;
    http.OnPasswordRequest = [&](QObject*, const std::string&, bool& tryAgain) {
        ++asked;
        http.SetUsername("u");
        http.SetPassword("p");
        tryAgain = true;
    };
    ASSERT_TRUE(http.Upload(3));
    ASSERT_TRUE(PumpUntil([&] { return !events.Events().empty(); }));
    EXPECT_EQ(asked, 1);
    const std::string expected = ExpectedBody(
        BoundaryOfRequest(server, 1), {{"field0", "", "", "0"},
                                       {"", "", "", "11"},
                                       {"field2", "data.bin", "application/octet-stream", "22"}});
    EXPECT_EQ(BoundaryOfRequest(server, 1), BoundaryOfRequest(server, 2));
    // After the password request the whole upload goes again.
    EXPECT_TRUE(SameBytes(Uploaded(1), expected));
    EXPECT_TRUE(SameBytes(Uploaded(2), expected));
    EXPECT_EQ(events.body, "received " + std::to_string(expected.size()));
}

TEST_F(UploadTest, FormDataIsPostedUrlEncoded) {
    http.SetURL(server.Url("/echo"));
    http.SetPOSTData("a=1&b=two");
    ASSERT_TRUE(http.Read(true));
    EXPECT_EQ(events.body, "application/x-www-form-urlencoded\na=1&b=two");
    http.SetRequestMethod(TkuHTTPRequestMethod::rmGET);
    ASSERT_TRUE(http.Read(true));
    EXPECT_EQ(events.body, "\n");
}

}  // namespace
}  // namespace tessaro::test
