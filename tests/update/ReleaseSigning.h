#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

#include <string>

namespace tessaro::test {

// The key the test programs trust, made for the build folder.
inline QString TestPublisherSecretKey() {
    return QStringLiteral(TESSARO_TEST_KEY_DIR "/publisher.key");
}

// Signs a file of a release with minisign as a publisher does: the signature
// goes to `signature` (default: path + ".minisig") with the trusted comment
// "file:<name> version:<release>". False when minisign fails.
inline bool SignReleaseFile(const QString& path, const std::string& name,
                            const std::string& release,
                            const QString& secretKey = TestPublisherSecretKey(),
                            const QString& signature = {}) {
    const QString comment = QString::fromStdString("file:" + name + " version:" + release);
    QStringList arguments = {QStringLiteral("-S"),
                             QStringLiteral("-s"),
                             secretKey,
                             QStringLiteral("-m"),
                             path,
                             QStringLiteral("-t"),
                             comment};
    if (!signature.isEmpty()) arguments << QStringLiteral("-x") << signature;
    QProcess minisign;
    minisign.start(QStringLiteral("minisign"), arguments);
    minisign.closeWriteChannel();
    return minisign.waitForFinished(30000) && minisign.exitStatus() == QProcess::NormalExit &&
           minisign.exitCode() == 0;
}

}  // namespace tessaro::test
