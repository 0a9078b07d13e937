#include "app/SingleInstance.h"

#include <QDataStream>
#include <QDir>
#include <QLocalSocket>
#include <QThread>

#include "platform/Folders.h"

namespace tessaro {
namespace {

constexpr int kConnectAttempts = 20;
constexpr int kConnectRetryMs = 100;
constexpr int kReplyTimeoutMs = 10000;
constexpr char kAcknowledged = '1';

}  // namespace

SingleInstance::SingleInstance(const QString& folder, QObject* parent)
    : QObject(parent),
      socketPath_(QDir(folder).filePath(QStringLiteral("tessaro-instance"))),
      lock_(std::make_unique<QLockFile>(
          QDir(folder).filePath(QStringLiteral("tessaro-instance.lock")))) {
    // Only a dead owner makes the lock stale, never its age.
    lock_->setStaleLockTime(0);
    connect(&server_, &QLocalServer::newConnection, this, &SingleInstance::AcceptConnection);
}

SingleInstance::~SingleInstance() {
    server_.close();
}

QString SingleInstance::DefaultFolder() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir(runtime).exists()) {
        return runtime;
    }
    return QString::fromStdString(platform::TempFolder());
}

bool SingleInstance::BecomeFirstOrForward(const QStringList& files) {
    if (lock_->tryLock(0)) {
        return Listen();
    }
    // The owner may still be starting: give its socket a moment to appear.
    for (int attempt = 0; attempt < kConnectAttempts; ++attempt) {
        if (Forward(files)) {
            return false;
        }
        QThread::msleep(kConnectRetryMs);
    }
    return true;
}

bool SingleInstance::Listen() {
    // Holding the lock proves that any socket left behind is stale.
    QLocalServer::removeServer(socketPath_);
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    server_.listen(socketPath_);
    return true;
}

bool SingleInstance::Forward(const QStringList& files) const {
    QLocalSocket socket;
    socket.connectToServer(socketPath_);
    if (!socket.waitForConnected(kConnectRetryMs)) {
        return false;
    }
    QByteArray message;
    QDataStream stream(&message, QIODevice::WriteOnly);
    stream << files;
    socket.write(message);
    if (!socket.waitForBytesWritten(kReplyTimeoutMs)) {
        return false;
    }
    while (socket.bytesAvailable() == 0) {
        if (!socket.waitForReadyRead(kReplyTimeoutMs)) {
            return false;
        }
    }
    char reply = 0;
    return socket.getChar(&reply) && reply == kAcknowledged;
}

void SingleInstance::AcceptConnection() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            QDataStream stream(socket);
            stream.startTransaction();
            QStringList files;
            stream >> files;
            if (!stream.commitTransaction()) {
                return;
            }
            socket->putChar(kAcknowledged);
            socket->flush();
            socket->disconnectFromServer();
            emit Activated(files);
        });
    }
}

}  // namespace tessaro
