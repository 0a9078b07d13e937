#include "platform/PowerManager.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>

#include <QDBusConnection>

#include "ProcessTestSupport.h"

namespace tessaro::platform {
namespace {

// A program whose standard output the test reads line by line.
class ReadableProcess {
public:
    explicit ReadableProcess(const std::vector<std::string>& argv) {
        int fds[2];
        if (::pipe2(fds, O_CLOEXEC) != 0) return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::dup2(fds[1], STDOUT_FILENO);
            std::vector<char*> arguments;
            for (const std::string& argument : argv) arguments.push_back(const_cast<char*>(argument.c_str()));
            arguments.push_back(nullptr);
            ::execv(arguments[0], arguments.data());
            ::_exit(127);
        }
        ::close(fds[1]);
        readFd_ = fds[0];
    }
    ~ReadableProcess() {
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            ::waitpid(pid_, nullptr, 0);
        }
        if (readFd_ >= 0) ::close(readFd_);
    }

    std::string ReadLine() {
        std::string line;
        char c;
        while (true) {
            pollfd ready{readFd_, POLLIN, 0};
            if (::poll(&ready, 1, 10000) != 1 || ::read(readFd_, &c, 1) != 1 || c == '\n') return line;
            line += c;
        }
    }

private:
    pid_t pid_ = -1;
    int readFd_ = -1;
};

// A bus of the test's own: the request can never reach the machine's logind.
class PrivateBus : public ::testing::Test {
protected:
    PrivateBus() {
        address = daemon.ReadLine();
        client = std::make_unique<QDBusConnection>(
            QDBusConnection::connectToBus(QString::fromStdString(address), "power-test"));
    }
    ~PrivateBus() override { QDBusConnection::disconnectFromBus("power-test"); }

    ReadableProcess daemon{{"/usr/bin/dbus-daemon", "--session", "--nofork", "--nopidfile", "--print-address=1"}};
    std::string address;
    std::unique_ptr<QDBusConnection> client;
};

TEST_F(PrivateBus, AsksLogindToPowerOffInteractively) {
    ASSERT_FALSE(address.empty());
    ASSERT_TRUE(client->isConnected());
    ReadableProcess logind({TESSARO_FAKE_LOGIND, address});
    ASSERT_EQ(logind.ReadLine(), "ready");
    LogindPowerManager power(*client);
    EXPECT_TRUE(power.PowerOff());
    EXPECT_EQ(logind.ReadLine(), "PowerOff interactive=true");
}

TEST_F(PrivateBus, ReportsARequestNobodyTakes) {
    ASSERT_TRUE(client->isConnected());
    LogindPowerManager power(*client);
    EXPECT_FALSE(power.PowerOff());
}

TEST(LogindPowerManager, ReportsAMissingBus) {
    LogindPowerManager power(QDBusConnection::connectToBus("unix:path=/nonexistent/bus", "no-bus"));
    EXPECT_FALSE(power.PowerOff());
    QDBusConnection::disconnectFromBus("no-bus");
}

}  // namespace
}  // namespace tessaro::platform
