#pragma once

#include <QString>

#include <string>

#include "HTTPTestSupport.h"
#include "LoopbackServers.h"
#include "ToolRun.h"

namespace tessaro::test {

inline const std::string kOpenSSL = "/usr/bin/openssl";

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
inline TNginxServer* SecureServer(const QString& folder, const std::string& server) {
    const std::string stem = folder.toStdString() + "/" + server;
    auto* nginx =
        new TNginxServer("    ssl_certificate " + stem + ".crt;\n    ssl_certificate_key " + stem +
                             ".key;\n    default_type application/octet-stream;",
                         "ssl");
    WriteFileBytes(nginx->WwwPath("tessaro.bin"), PatternBytes(0, 70000));
    return nginx;
}

}  // namespace tessaro::test
