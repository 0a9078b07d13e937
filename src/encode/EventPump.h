#pragma once

#include <span>

namespace tessaro {

// What a run does between reads of the script's output. The window processes
// its input here, so Stop and the list stay usable for the whole run.
class IEventPump {
public:
    virtual ~IEventPump() = default;
    // Handles whatever is waiting, without blocking.
    virtual void PumpMessages() = 0;
    // Idle wait: returns once one of `fds` is readable, after `timeoutMs`, or
    // earlier (a spurious return only costs one more poll).
    virtual void WaitIdle(std::span<const int> fds, int timeoutMs) = 0;
};

// For a program without a window: nothing to pump, the wait is poll(2).
class PollEventPump final : public IEventPump {
public:
    void PumpMessages() override {}
    void WaitIdle(std::span<const int> fds, int timeoutMs) override;
};

}  // namespace tessaro
