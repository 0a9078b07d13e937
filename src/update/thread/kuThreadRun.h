#pragma once

#include <sys/types.h>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <memory>
#include <mutex>

#include "update/thread/kuThreadTypes.h"
#include "update/thread/kuThreadWindow.h"
#include "update/thread/kuWakeList.h"

namespace tessaro {

class TkuCustomThread;

// What a component shares with all its runs, so that a run that outlives the
// component can still learn that it must not call into it.
struct TkuThreadOwnerLink {
    TkuThreadOwnerLink(TkuCustomThread* owner, QObject* sender)
        : component(owner), sender(sender) {}

    TkuCustomThread* const component;  // dereferenced on the user-interface thread only
    QObject* const sender;             // the same object, as events pass it
    std::atomic<bool> destroying = false;
    std::atomic<bool> handleExceptions = true;
};

// The state of one operating-system thread, shared by its worker and the component's
// handle to it. Once abandoned (forced termination), the run raises no event and its
// worker never touches the component again.
class TkuThreadRun final {
public:
    explicit TkuThreadRun(std::shared_ptr<TkuThreadOwnerLink> owner);
    TkuThreadRun(const TkuThreadRun&) = delete;
    TkuThreadRun& operator=(const TkuThreadRun&) = delete;

    TkuThreadOwnerLink& Owner() const { return *FOwner; }

    // The run whose work executes on the calling thread, if any.
    static TkuThreadRun* OfCallingThread();

    TNotifyEvent OnExecute() const;
    TNotifyEvent OnException() const;
    TNotifyEvent OnTerminate() const;
    void SetOnExecute(TNotifyEvent handler);
    void SetOnException(TNotifyEvent handler);
    void SetOnTerminate(TNotifyEvent handler);

    // Worker side: the whole life of the operating-system thread.
    void Work();
    // Returns once the worker has published its thread identifier.
    void WaitUntilStarted();

    // Either thread: runs the method on the user-interface thread (see TkuThreadWindow).
    void Synchronize(const TThreadMethod& method);

    // User-interface side.
    void Suspend();
    bool Resume();         // true when the suspend count was exactly 1
    bool StopOrAbandon();  // true when the work is running and had to be abandoned
    void Release();        // terminates and lets a parked thread leave
    void WaitUntilFinished();
    bool Finished() const;

    bool Terminated() const { return FTerminated.load(); }
    void Terminate() { FTerminated.store(true); }
    bool Running() const { return FRunning.load(); }
    bool Abandoned() const { return FAbandoned.load(); }
    bool Suspended() const { return FSuspended.load(); }
    std::int32_t ReturnValue() const { return FReturnValue.load(); }
    void SetReturnValue(std::int32_t value) { FReturnValue.store(value); }
    std::exception_ptr FatalException() const;
    pid_t ThreadId() const { return FThreadId.load(); }

    TThreadPriority Priority() const { return FPriority.load(); }
    void SetPriority(TThreadPriority priority);

    bool InSync() const { return FInSync.load(); }
    void SetInSync(bool value) { FInSync.store(value); }
    // Wakes a wait for this run so that it services the call just queued.
    void NotifyCallQueued();

    TkuWakeList& Waiters() { return FWaiters; }

private:
    void PublishThreadId();
    void WaitAtGate();
    bool BeginWork();
    void EndWork(std::exception_ptr fatal);
    void ExecuteWork();
    void DoTerminate();
    void OpenGate();

    const std::shared_ptr<TkuThreadOwnerLink> FOwner;
    const TkuThreadWindowRef FWindow;
    const int FBaseNice;

    mutable std::mutex FMutex;
    std::condition_variable FChanged;
    TNotifyEvent FOnExecute;
    TNotifyEvent FOnException;
    TNotifyEvent FOnTerminate;
    bool FGateOpen = false;
    bool FFinished = false;
    std::exception_ptr FFatalException;
    int FSuspendCount = 1;

    std::atomic<bool> FTerminated = false;
    std::atomic<bool> FRunning = false;
    std::atomic<bool> FAbandoned = false;
    std::atomic<bool> FSuspended = true;
    std::atomic<bool> FInSync = false;
    std::atomic<std::int32_t> FReturnValue = 0;
    std::atomic<pid_t> FThreadId = 0;
    std::atomic<TThreadPriority> FPriority = TThreadPriority::tpNormal;

    TkuWakeList FWaiters;
};

}  // namespace tessaro
