#pragma once

#include <functional>

#include "platform/PowerManager.h"

namespace tessaro {

// The program ends without its close handling once power-off is requested, so
// the settings are written first; otherwise they would be lost with it.
class SaveBeforePowerOff final : public platform::IPowerManager {
public:
    SaveBeforePowerOff(platform::IPowerManager& power, std::function<void()> save)
        : power_(power), save_(std::move(save)) {}

    bool PowerOff() override {
        save_();
        return power_.PowerOff();
    }

private:
    platform::IPowerManager& power_;
    std::function<void()> save_;
};

}  // namespace tessaro
