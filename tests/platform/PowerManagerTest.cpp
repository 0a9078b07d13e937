#include "platform/PowerManager.h"

#include "platform/DesktopNotifier.h"

#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QProcess>

namespace tessaro::platform {
namespace {

// A program whose standard output the test reads line by line; killed at the end.
class Program : public QProcess {
public:
    explicit Program(const QStringList& command) { start(command.front(), command.mid(1)); }
    ~Program() override {
        kill();
        waitForFinished();
    }
    QString Line() {
        while (!canReadLine() && waitForReadyRead(10000)) {
        }
        return QString::fromUtf8(readLine()).trimmed();
    }
};

// A bus of the test's own: no request can reach the machine's logind or desktop.
TEST(DesktopServices, PowerOffAndNotificationsReachTheServiceAndFailWhenNobodyListens) {
    Program bus(
        {"/usr/bin/dbus-daemon", "--session", "--nofork", "--nopidfile", "--print-address=1"});
    const QString address = bus.Line();
    const QDBusConnection client = QDBusConnection::connectToBus(address, "services-test");
    ASSERT_TRUE(client.isConnected()) << address.toStdString();
    EXPECT_FALSE(LogindPowerManager(client).PowerOff());
    EXPECT_FALSE(FreedesktopNotifier(client).Notify("Tessaro", "no one there"));
    Program services({TESSARO_FAKE_DESKTOP, address});
    ASSERT_EQ(services.Line(), "ready");
    EXPECT_TRUE(LogindPowerManager(client).PowerOff());
    EXPECT_EQ(services.Line(), "PowerOff interactive=true");
    EXPECT_TRUE(FreedesktopNotifier(client).Notify("Run completed", "3 jobs done"));
    EXPECT_EQ(services.Line(), "Tessaro|Run completed|3 jobs done");
    QDBusConnection::disconnectFromBus("services-test");
}

}  // namespace
}  // namespace tessaro::platform
