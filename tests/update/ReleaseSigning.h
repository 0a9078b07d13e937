#pragma once

#include <QString>

#include <string>

#include "ToolRun.h"

namespace tessaro::test {

// Started with posix_spawn (RunTool), never fork, so that sanitised test
// programs with threads may sign.
inline const std::string kMinisign = "/usr/bin/minisign";

// The key the test programs trust, made for the build folder.
inline QString TestPublisherSecretKey() {
    return QStringLiteral(TESSARO_TEST_KEY_DIR "/publisher.key");
}

// Signs a file of a release with minisign as a publisher does: the signature
// goes to path + ".minisig" with the trusted comment "file:<name>
// version:<release>". False when minisign fails.
inline bool SignReleaseFile(const QString& path, const std::string& name,
                            const std::string& release,
                            const QString& secretKey = TestPublisherSecretKey()) {
    return RunTool({kMinisign, "-S", "-s", secretKey.toStdString(), "-m", path.toStdString(), "-t",
                    "file:" + name + " version:" + release})
               .exitCode == 0;
}

// A key pair of somebody else, made as the publisher makes one; the secret
// key's path, empty when minisign failed.
inline QString MakeSigningKey(const QString& folder) {
    const std::string stem = folder.toStdString() + "/stranger";
    return RunTool({kMinisign, "-G", "-W", "-f", "-p", stem + ".pub", "-s", stem + ".key"})
                       .exitCode == 0
               ? QString::fromStdString(stem + ".key")
               : QString();
}

}  // namespace tessaro::test
