#pragma once

#include <cstdint>
#include <memory>
#include <thread>
#include <vector>

#include "update/thread/kuThreadRun.h"
#include "update/thread/kuThreadTypes.h"

namespace tessaro {

// Wraps exactly one operating-system thread, created parked on a start gate. It is
// disposable: a thread never restarts; restarting means a fresh copy.
class TkuEventThread final {
public:
    explicit TkuEventThread(std::shared_ptr<TkuThreadOwnerLink> owner);
    // Lets a parked thread leave and waits for the thread, servicing its calls into the
    // user-interface thread meanwhile. A thread blocked on a call that the destroying
    // thread is itself running is left to end on its own.
    ~TkuEventThread();
    TkuEventThread(const TkuEventThread&) = delete;
    TkuEventThread& operator=(const TkuEventThread&) = delete;

    TkuThreadRun& Run() const { return *FRun; }
    // For waits that must survive the destruction of this object.
    const std::shared_ptr<TkuThreadRun>& SharedRun() const { return FRun; }

    TThreadPriority GetPriority() const { return FRun->Priority(); }
    void SetPriority(TThreadPriority priority) { FRun->SetPriority(priority); }

    // A running thread cannot be stopped from outside on Linux: Suspend only marks it,
    // and a parked thread stays parked until the matching Resume.
    void Suspend() { FRun->Suspend(); }
    void Resume() { FRun->Resume(); }
    void SetSuspended(bool value);

    void Terminate() { FRun->Terminate(); }
    std::int32_t WaitFor();
    void Synchronize(const TThreadMethod& method) { FRun->Synchronize(method); }

    // A fresh parked copy for the same owner with this thread's priority and events.
    std::unique_ptr<TkuEventThread> CreateThread() const;

    // Forced termination: the fresh copy replaces this thread. Work still running is
    // abandoned (it raises no further event) and handed to `abandoned` to be reaped.
    static std::unique_ptr<TkuEventThread> RecreateThread(
        std::unique_ptr<TkuEventThread> current,
        std::vector<std::unique_ptr<TkuEventThread>>& abandoned);

    std::uintptr_t Handle() const { return FHandle; }

private:
    const std::shared_ptr<TkuThreadOwnerLink> FOwner;
    const std::shared_ptr<TkuThreadRun> FRun;
    std::thread FThread;
    const std::uintptr_t FHandle;
};

}  // namespace tessaro
