#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

#include "HTTPTestSupport.h"
#include "TestAuthority.h"
#include "update/http/kuHTTP.h"

namespace tessaro::test {
namespace {

// Downloads over https from nginx on loopback: the server must chain to the authorities
// of CAFile (or the system's store) and carry the host's name, unless the internet
// options waive exactly that check.
class HTTPSTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        folder = new QTemporaryDir();
        ours = new TTestAuthority(folder->path(), "ours");
        other = new TTestAuthority(folder->path(), "other");
        issued = ours->Issue("loopback", "IP:127.0.0.1,DNS:localhost") &&
                 ours->Issue("elsewhere", "DNS:update.invalid");
        loopback = SecureServer(folder->path(), "loopback");
        elsewhere = SecureServer(folder->path(), "elsewhere");
    }
    static void TearDownTestSuite() {
        delete elsewhere;
        delete loopback;
        delete other;
        delete ours;
        delete folder;
    }
    void SetUp() override {
        ASSERT_TRUE(ours->Made() && other->Made() && issued);
        ASSERT_TRUE(loopback->Running()) << ReadFileBytes(loopback->FolderPath("error.log"));
        ASSERT_TRUE(elsewhere->Running()) << ReadFileBytes(elsewhere->FolderPath("error.log"));
    }

    static inline QTemporaryDir* folder = nullptr;
    static inline TTestAuthority* ours = nullptr;
    static inline TTestAuthority* other = nullptr;
    static inline bool issued = false;
    static inline TNginxServer* loopback = nullptr;
    static inline TNginxServer* elsewhere = nullptr;
};

TEST_F(HTTPSTest, TrustComesFromTheCAFileOrAWaiver) {
    using enum TkuInternetOption;
    const std::string done = "Done(application/octet-stream,70000)";
    const std::string refused = "HostUnreachable AnyError";
    struct Case {
        const char* name;
        TNginxServer* server;
        std::string caFile;
        TkuInternetOptions options;
        std::string events;
    };
    // clang-format off
    const Case cases[] = {
        {"our authority", loopback, ours->Certificate(), {}, done},
        {"the system's store", loopback, "", {}, refused},
        {"another authority", loopback, other->Certificate(), {}, refused},
        {"a CA file that is missing", loopback, folder->filePath("missing.crt").toStdString(), {}, refused},
        {"our authority, another host's name", elsewhere, ours->Certificate(), {}, refused},
        {"another host's name, name check waived", elsewhere, ours->Certificate(), {ioIgnoreCertificateInvalid}, done},
        {"another authority, name check waived", loopback, other->Certificate(), {ioIgnoreCertificateInvalid}, refused},
        {"another authority, authority check waived", loopback, other->Certificate(), {ioIgnoreUnknownCertificateAuthority}, done},
        {"the system's store, date check waived", loopback, "", {ioIgnoreCertificateDateInvalid}, done},
    };
    // clang-format on
    int row = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString output = folder->filePath(QString("out%1.bin").arg(++row));
        TkuHTTP http;
        TEventLog log(http);
        http.SetURL(c.server->Url("/tessaro.bin", "https"));
        http.SetCAFile(c.caFile);
        http.SetInternetOptions(c.options);
        http.SetOutputFileName(output.toStdString());
        http.SetWaitThread(true);
        ASSERT_TRUE(http.Read(true));
        EXPECT_EQ(log.Joined(), c.events);
        if (c.events == done)
            EXPECT_TRUE(SameBytes(ReadFileBytes(output), PatternBytes(0, 70000)));
        else
            EXPECT_FALSE(QFile::exists(output));
    }
}

}  // namespace
}  // namespace tessaro::test
