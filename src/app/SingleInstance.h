#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>

namespace tessaro {

// One program per user: the first start holds a lock file and listens on a
// local socket; a later start hands its files to the first and ends.
class SingleInstance final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SingleInstance)

public:
    // folder: where the lock and the socket live, private to the user.
    explicit SingleInstance(const QString& folder, QObject* parent = nullptr);
    ~SingleInstance() override;

    // $XDG_RUNTIME_DIR when set, else the private temp folder.
    static QString DefaultFolder();

    // True when this process is to run as the program: it is the first, or the
    // first cannot be reached. False once `files` were handed to the first.
    bool BecomeFirstOrForward(const QStringList& files);

    bool IsListening() const { return server_.isListening(); }

signals:
    // A later start asked to bring the window forward and add its files.
    void Activated(const QStringList& files);

private:
    bool Listen();
    bool Forward(const QStringList& files) const;
    void AcceptConnection();

    QString socketPath_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer server_;
};

}  // namespace tessaro
