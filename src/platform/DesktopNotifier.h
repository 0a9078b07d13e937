#pragma once

#include <QtDBus/QDBusConnection>
#include <string>

namespace tessaro::platform {

// Tells the user something when they are looking elsewhere; tests put a
// recorder in its place.
class INotifier {
public:
    virtual ~INotifier() = default;
    // False when no notification service took it; nothing else happens then.
    virtual bool Notify(const std::string& summary, const std::string& body) = 0;
};

// org.freedesktop.Notifications on the session bus.
class FreedesktopNotifier final : public INotifier {
public:
    explicit FreedesktopNotifier(QDBusConnection bus = QDBusConnection::sessionBus());
    bool Notify(const std::string& summary, const std::string& body) override;

private:
    QDBusConnection bus_;
};

}  // namespace tessaro::platform
