#include "platform/PowerManager.h"

#include "platform/DesktopNotifier.h"

#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QProcess>

namespace tessaro::platform {
namespace {

// A helper program whose standard output the test reads line by line; killed at the end.
class Helper : public QProcess {
public:
    explicit Helper(const QStringList& command) { start(command.front(), command.mid(1)); }
    ~Helper() override {
        kill();
        waitForFinished();
    }
    QString Line() {
        while (!canReadLine() && waitForReadyRead(10000)) {
        }
        return QString::fromUtf8(readLine()).trimmed();
    }
};

TEST(LogindPowerManager, AsksLogindToPowerOffInteractivelyAndReportsARequestNobodyTakes) {
    // A bus of the test's own: the request can never reach the machine's logind.
    Helper bus(
        {"/usr/bin/dbus-daemon", "--session", "--nofork", "--nopidfile", "--print-address=1"});
    const QString address = bus.Line();
    const QDBusConnection client = QDBusConnection::connectToBus(address, "power-test");
    ASSERT_TRUE(client.isConnected()) << address.toStdString();
    EXPECT_FALSE(LogindPowerManager(client).PowerOff());
    Helper logind({TESSARO_FAKE_LOGIND, address});
    ASSERT_EQ(logind.Line(), "ready");
    EXPECT_TRUE(LogindPowerManager(client).PowerOff());
    EXPECT_EQ(logind.Line(), "PowerOff interactive=true");
    QDBusConnection::disconnectFromBus("power-test");
}

TEST(FreedesktopNotifier, SendsTheSummaryAndBodyAndSaysWhenNobodyListens) {
    Helper bus(
        {"/usr/bin/dbus-daemon", "--session", "--nofork", "--nopidfile", "--print-address=1"});
    const QString address = bus.Line();
    const QDBusConnection client = QDBusConnection::connectToBus(address, "notify-test");
    ASSERT_TRUE(client.isConnected()) << address.toStdString();
    EXPECT_FALSE(FreedesktopNotifier(client).Notify("Tessaro", "no one there"));
    Helper service({TESSARO_FAKE_NOTIFICATIONS, address});
    ASSERT_EQ(service.Line(), "ready");
    EXPECT_TRUE(FreedesktopNotifier(client).Notify("Run completed", "3 jobs done"));
    EXPECT_EQ(service.Line(), "Tessaro|Run completed|3 jobs done");
    QDBusConnection::disconnectFromBus("notify-test");
}

}  // namespace
}  // namespace tessaro::platform
