#pragma once

#include <QtDBus/QDBusConnection>

namespace tessaro::platform {

// Powering the computer off after a run; tests put a recorder in its place.
class IPowerManager {
public:
    virtual ~IPowerManager() = default;
    // Asks the system to power off; false when the request was refused or
    // could not be delivered. Never forces: the system may still ask the user.
    virtual bool PowerOff() = 0;
};

// systemd-logind's Manager.PowerOff with interactive authorisation, so polkit
// decides whether this user may power the computer off.
class LogindPowerManager final : public IPowerManager {
public:
    explicit LogindPowerManager(QDBusConnection bus = QDBusConnection::systemBus());
    bool PowerOff() override;

private:
    QDBusConnection bus_;
};

}  // namespace tessaro::platform
