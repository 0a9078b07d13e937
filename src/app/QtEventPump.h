#pragma once

#include "encode/EventPump.h"

namespace tessaro {

// Lets a run wait on its pipe inside the window's event loop: clicks and
// repaints are handled the moment they arrive, not once per poll interval.
class QtEventPump final : public IEventPump {
public:
    void PumpMessages() override;
    void WaitIdle(std::span<const int> fds, int timeoutMs) override;
};

}  // namespace tessaro
