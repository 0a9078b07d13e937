#include "platform/DesktopNotifier.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QStringList>
#include <QVariantMap>

namespace tessaro::platform {
namespace {

constexpr int kReplyTimeoutMs = 2000;
constexpr int kServerDecidesExpiry = -1;

}  // namespace

FreedesktopNotifier::FreedesktopNotifier() = default;

FreedesktopNotifier::FreedesktopNotifier(const QDBusConnection& bus)
    : bus_(std::make_unique<QDBusConnection>(bus)) {}

FreedesktopNotifier::~FreedesktopNotifier() = default;

bool FreedesktopNotifier::Notify(const std::string& summary, const std::string& body) {
    if (!bus_) bus_ = std::make_unique<QDBusConnection>(QDBusConnection::sessionBus());
    if (!bus_->isConnected()) return false;
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"),
        QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    call << QStringLiteral("Tessaro") << 0u << QStringLiteral("tessaro")
         << QString::fromStdString(summary) << QString::fromStdString(body) << QStringList()
         << QVariantMap() << kServerDecidesExpiry;
    return bus_->call(call, QDBus::Block, kReplyTimeoutMs).type() == QDBusMessage::ReplyMessage;
}

}  // namespace tessaro::platform
