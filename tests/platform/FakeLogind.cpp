// Answers org.freedesktop.login1.Manager.PowerOff on a private bus and prints
// each request, so the power layer can be tested without a real logind.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QObject>
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

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    if (argc != 2) return 2;
    QDBusConnection bus = QDBusConnection::connectToBus(QString::fromLocal8Bit(argv[1]), "fake-logind");
    FakeManager manager;
    if (!bus.registerObject("/org/freedesktop/login1", &manager, QDBusConnection::ExportAllSlots)) return 1;
    if (!bus.registerService("org.freedesktop.login1")) return 1;
    std::printf("ready\n");
    std::fflush(stdout);
    return application.exec();
}

#include "FakeLogind.moc"
