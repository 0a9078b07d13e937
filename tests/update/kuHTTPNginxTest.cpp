#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "HTTPTestSupport.h"
#include "update/http/kuHTTP.h"

namespace tessaro::test {
namespace {

const std::string kLocations = R"(
    default_type application/octet-stream;
    location /private/ {
      auth_basic "nginx realm";
      auth_basic_user_file htpasswd;
    }
    location = /moved { return 302 /data.bin; }
)";

// The same downloads against a server we did not write: Debian's nginx.
class NginxTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        nginx = new TNginxServer(kLocations);
        ASSERT_TRUE(WriteFileBytes(nginx->WwwPath("data.bin"), PatternBytes(0, 50000)));
        QDir().mkpath(nginx->WwwPath("private"));
        ASSERT_TRUE(WriteFileBytes(nginx->WwwPath("private/secret.txt"), "secret\n"));
        ASSERT_TRUE(WriteFileBytes(nginx->FolderPath("htpasswd"), "u:{PLAIN}p\n"));
    }
    static void TearDownTestSuite() {
        delete nginx;
        nginx = nullptr;
    }
    void SetUp() override {
        ASSERT_TRUE(nginx->Running()) << ReadFileBytes(nginx->FolderPath("error.log"));
        events.Attach(http);
        http.SetOutputFileName(Output());
    }
    std::string Output() const { return dir.filePath("out.bin").toStdString(); }
    std::string OutputBytes() const { return ReadFileBytes(dir.filePath("out.bin")); }

    static TNginxServer* nginx;
    QTemporaryDir dir;
    TkuHTTP http;
    TEventLog events;
};

TNginxServer* NginxTest::nginx = nullptr;

TEST_F(NginxTest, DownloadsDirectlyOrAfterARedirect) {
    for (const char* path : {"/data.bin", "/moved"}) {
        SCOPED_TRACE(path);
        QFile::remove(dir.filePath("out.bin"));
        TkuHTTP one;
        TEventLog log(one);
        one.SetURL(nginx->Url(path));
        one.SetOutputFileName(Output());
        ASSERT_TRUE(one.Read(true));
        EXPECT_EQ(log.Joined(), "Done(application/octet-stream,50000)");
        EXPECT_TRUE(SameBytes(OutputBytes(), PatternBytes(0, 50000)));
    }
}

TEST_F(NginxTest, AuthenticationAndErrors) {
    std::string realm;
    http.OnPasswordRequest = [&](QObject*, const std::string& r, bool& tryAgain) {
        realm = r;
        http.SetUsername("u");
        http.SetPassword("p");
        tryAgain = true;
    };
    http.SetOutputFileName("");
    http.SetURL(nginx->Url("/private/secret.txt"));
    ASSERT_TRUE(http.Read(true));
    EXPECT_EQ(events.Joined(), "Done(application/octet-stream,7)");
    EXPECT_EQ(events.body, "secret\n");
    EXPECT_EQ(realm, "nginx realm");

    TkuHTTP refused;

    TEventLog log(refused);
    refused.SetURL(nginx->Url("/private/secret.txt"));
    ASSERT_TRUE(refused.Read(true));
    refused.SetURL(nginx->Url("/missing.bin"));
    refused.SetOutputFileName(Output());
    ASSERT_TRUE(refused.Read(true));
    EXPECT_EQ(log.Joined(), "HTTPError(401) AnyError HTTPError(404) AnyError");
    EXPECT_FALSE(QFile::exists(dir.filePath("out.bin")));
}

}  // namespace
}  // namespace tessaro::test
