#include "platform/PowerManager.h"

#include <QtDBus/QDBusConnection>
#include <QtDBus/QDBusMessage>

namespace tessaro::platform {
namespace {

constexpr const char* kLogindService = "org.freedesktop.login1";
constexpr const char* kLogindPath = "/org/freedesktop/login1";
constexpr const char* kLogindManager = "org.freedesktop.login1.Manager";
constexpr bool kInteractive = true;

}  // namespace

LogindPowerManager::LogindPowerManager() = default;

LogindPowerManager::LogindPowerManager(const QDBusConnection& bus)
    : bus_(std::make_unique<QDBusConnection>(bus)) {}

LogindPowerManager::~LogindPowerManager() = default;

bool LogindPowerManager::PowerOff() {
    if (!bus_) bus_ = std::make_unique<QDBusConnection>(QDBusConnection::systemBus());
    if (!bus_->isConnected()) return false;
    QDBusMessage call = QDBusMessage::createMethodCall(kLogindService, kLogindPath, kLogindManager,
                                                       QStringLiteral("PowerOff"));
    call << kInteractive;
    const QDBusMessage reply = bus_->call(call);
    return reply.type() == QDBusMessage::ReplyMessage;
}

}  // namespace tessaro::platform
