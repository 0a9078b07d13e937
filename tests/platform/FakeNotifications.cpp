// Answers org.freedesktop.Notifications.Notify on a private bus and prints
// each notification, so no desktop is needed to see what the program says.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QObject>
#include <QStringList>
#include <QVariantMap>
#include <cstdio>

class FakeNotifications final : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public slots:
    uint Notify(const QString& application, uint, const QString&, const QString& summary,
                const QString& body, const QStringList&, const QVariantMap&, int) {
        std::printf("%s|%s|%s\n", qPrintable(application), qPrintable(summary), qPrintable(body));
        std::fflush(stdout);
        return ++count;
    }

private:
    uint count = 0;
};

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    if (argc != 2) return 2;
    QDBusConnection bus =
        QDBusConnection::connectToBus(QString::fromLocal8Bit(argv[1]), "fake-notifications");
    FakeNotifications service;
    if (!bus.registerObject("/org/freedesktop/Notifications", &service,
                            QDBusConnection::ExportAllSlots))
        return 1;
    if (!bus.registerService("org.freedesktop.Notifications")) return 1;
    std::printf("ready\n");
    std::fflush(stdout);
    return application.exec();
}

#include "FakeNotifications.moc"
