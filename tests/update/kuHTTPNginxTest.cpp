#include <QTemporaryDir>

#include <optional>

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

TEST_F(NginxTest, DownloadsResumesAndRanges) {
    const std::string full = PatternBytes(0, 50000);
    struct Case {
        std::string name;
        std::optional<std::string> onDisk;
        std::string path;
        bool resume;
        std::uint32_t start, end;
        std::string events;
        std::string expected;
    };
    std::string changed = full.substr(0, 30000);
    changed[29000] ^= 1;
    // clang-format off
    const Case cases[] = {
        {"whole file", std::nullopt, "/data.bin", false, 0, 0,
         "Done(application/octet-stream,50000)", full},
        {"resume", full.substr(0, 30000), "/data.bin", true, 0, 0,
         "Done(application/octet-stream,50000)", full},
        {"resume of a changed file", changed, "/data.bin", true, 0, 0,
         "Done(application/octet-stream,50000)", full},
        {"range past a complete file", full, "/data.bin", false, 50000, 0,
         "AnyError OutputFileError", full},
        {"redirect", std::nullopt, "/moved", false, 0, 0,
         "Done(application/octet-stream,50000)", full},
    };
    // clang-format on
    for (const Case& row : cases) {
        SCOPED_TRACE(row.name);
        ASSERT_TRUE(PrepareFile(dir.filePath("out.bin"), row.onDisk));
        TkuHTTP one;
        TEventLog log(one);
        one.SetURL(nginx->Url(row.path));
        one.SetOutputFileName(Output());
        one.SetWaitThread(true);
        ASSERT_TRUE(row.resume ? one.Resume() : one.ReadRange(row.start, row.end, true));
        EXPECT_EQ(log.Joined(), row.events);
        EXPECT_TRUE(SameBytes(OutputBytes(), row.expected));
    }
    http.SetOutputFileName("");
    http.SetURL(nginx->Url("/data.bin"));
    ASSERT_TRUE(http.ReadRange(100, 199, true));
    EXPECT_EQ(events.Joined(), "Done(application/octet-stream,200)");
    EXPECT_TRUE(SameBytes(events.body, full.substr(100, 100)));
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
