#pragma once

#include <memory>

class QDBusConnection;

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
    // On the system bus, connected only when a power-off is asked for.
    LogindPowerManager();
    explicit LogindPowerManager(const QDBusConnection& bus);
    ~LogindPowerManager() override;
    bool PowerOff() override;

private:
    std::unique_ptr<QDBusConnection> bus_;
};

}  // namespace tessaro::platform
