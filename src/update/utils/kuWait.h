#pragma once

#include <atomic>
#include <cstdint>

namespace tessaro {

// An event handle as the update component passes it around: 0 is "none" and
// INVALID_HANDLE_VALUE (all bits set) "closed". Handles are never reused.
using THandle = std::uintptr_t;
inline constexpr THandle INVALID_HANDLE_VALUE = ~THandle{0};

// A slot that holds the handle of a running Wait, so that other code, on any
// thread, can end that wait with StopWait.
using TkuEventSlot = std::atomic<THandle>;

// Waits for StopWait while the calling thread's events keep being processed,
// so the user interface stays alive. Creates an event, stores its handle in
// `event` and waits until it is signalled, Timeout milliseconds pass (0: no
// limit) or, with StopOnTerminate, the application quits. Afterwards `event`
// holds INVALID_HANDLE_VALUE, also when an exception passes. A second Wait on
// the same slot replaces the stored handle; the first can then end only by its
// time-out or by the application quitting. Without an application object the
// thread simply blocks until the event or the time-out.
void Wait(TkuEventSlot& event, std::uint32_t timeout, bool stopOnTerminate);

// Ends the wait that created the handle; 0, INVALID_HANDLE_VALUE and handles of
// finished waits are ignored. Any thread may call it.
void StopWait(THandle event);
inline void StopWait(const TkuEventSlot& event) {
    StopWait(event.load());
}

}  // namespace tessaro
