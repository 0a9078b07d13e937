#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

#include "update/thread/kuWakeList.h"

namespace tessaro {

// A manual-reset event addressed by a 32-bit handle, so that work holding a handle
// to an event that has since been closed fails cleanly instead of touching freed memory.
class TkuSyncEvent final {
public:
    // Creates an unsignalled event; never returns 0 or kuInvalidHandle.
    static std::uint32_t Create();
    static std::shared_ptr<TkuSyncEvent> Find(std::uint32_t handle);
    // Each returns false for a handle that is not open.
    static bool Set(std::uint32_t handle);
    static bool Reset(std::uint32_t handle);
    static bool Close(std::uint32_t handle);

    bool IsSet() const { return FSignalled.load(std::memory_order_acquire); }
    TkuWakeList& Waiters() { return FWaiters; }

private:
    std::atomic<bool> FSignalled = false;
    TkuWakeList FWaiters;
};

}  // namespace tessaro
