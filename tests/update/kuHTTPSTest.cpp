#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

#include "HTTPTestSupport.h"
#include "ToolRun.h"
#include "update/http/kuHTTP.h"

namespace tessaro::test {
namespace {

const std::string kOpenSSL = "/usr/bin/openssl";

// A certificate authority made by openssl for this run, and the server certificates it
// issues, as PEM files in a folder.
class TTestAuthority final {
public:
    TTestAuthority(const QString& folder, const std::string& name)
        : FFolder(folder.toStdString() + "/"), FName(name) {
        WriteFileBytes(QString::fromStdString(Path(".cnf")),
                       "[req]\ndistinguished_name=dn\nprompt=no\nx509_extensions=ca\n"
                       "[dn]\nCN=Tessaro test authority " +
                           name +
                           "\n"
                           "[ca]\nbasicConstraints=critical,CA:TRUE\n"
                           "keyUsage=critical,keyCertSign,cRLSign\nsubjectKeyIdentifier=hash\n");
        FMade = RunTool({kOpenSSL, "req", "-x509", "-config", Path(".cnf"), "-newkey", "ec",
                         "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes", "-keyout",
                         Path(".key"), "-out", Certificate(), "-days", "2"})
                    .exitCode == 0;
    }
    bool Made() const { return FMade; }
    std::string Certificate() const { return Path(".crt"); }

    // Writes <server>.crt and <server>.key for the subject alternative names.
    bool Issue(const std::string& server, const std::string& altNames) const {
        const std::string stem = FFolder + server;
        WriteFileBytes(QString::fromStdString(stem + ".ext"),
                       "basicConstraints=CA:FALSE\nkeyUsage=critical,digitalSignature\n"
                       "extendedKeyUsage=serverAuth\nsubjectAltName=" +
                           altNames + "\n");
        return RunTool({kOpenSSL, "req", "-new", "-newkey", "ec", "-pkeyopt",
                        "ec_paramgen_curve:prime256v1", "-nodes", "-keyout", stem + ".key", "-out",
                        stem + ".csr", "-subj", "/CN=" + server})
                       .exitCode == 0 &&
               RunTool({kOpenSSL, "x509", "-req", "-in", stem + ".csr", "-CA", Certificate(),
                        "-CAkey", Path(".key"), "-set_serial", "2", "-days", "2", "-extfile",
                        stem + ".ext", "-out", stem + ".crt"})
                       .exitCode == 0;
    }

private:
    std::string Path(const std::string& extension) const { return FFolder + FName + extension; }

    std::string FFolder, FName;
    bool FMade = false;
};

// nginx serving https with the certificate <server>.crt of the folder.
TNginxServer* SecureServer(const QString& folder, const std::string& server) {
    const std::string stem = folder.toStdString() + "/" + server;
    auto* nginx =
        new TNginxServer("    ssl_certificate " + stem + ".crt;\n    ssl_certificate_key " + stem +
                             ".key;\n    default_type application/octet-stream;",
                         "ssl");
    WriteFileBytes(nginx->WwwPath("tessaro.bin"), PatternBytes(0, 70000));
    return nginx;
}

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
