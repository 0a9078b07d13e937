// Answers logind's PowerOff and the desktop's Notify on a private bus and prints each request, so
// the power and notification layers can be tested without the machine's services.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QObject>
#include <QStringList>
#include <QVariantMap>
#include <cstdio>

class FakeManager final : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")

public slots:
    void PowerOff(bool interactive) {
        std::printf("PowerOff interactive=%s\n", interactive ? "true" : "false");
        std::fflush(stdout);
    }
};

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
        QDBusConnection::connectToBus(QString::fromLocal8Bit(argv[1]), "fake-desktop");
    FakeManager manager;
    FakeNotifications notifications;
    const auto all = QDBusConnection::ExportAllSlots;
    if (!bus.registerObject("/org/freedesktop/login1", &manager, all) ||
        !bus.registerObject("/org/freedesktop/Notifications", &notifications, all) ||
        !bus.registerService("org.freedesktop.login1") ||
        !bus.registerService("org.freedesktop.Notifications"))
        return 1;
    std::printf("ready\n");
    std::fflush(stdout);
    return application.exec();
}

#include "FakeDesktopServices.moc"
