#pragma once

#include <memory>
#include <string>

class QDBusConnection;

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
    // On the session bus, connected only when there is something to tell.
    FreedesktopNotifier();
    explicit FreedesktopNotifier(const QDBusConnection& bus);
    ~FreedesktopNotifier() override;
    bool Notify(const std::string& summary, const std::string& body) override;

private:
    std::unique_ptr<QDBusConnection> bus_;
};

}  // namespace tessaro::platform
