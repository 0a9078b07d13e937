#pragma once

#include <QObject>

#include <cstdint>
#include <exception>
#include <memory>
#include <vector>

#include "update/thread/kuEventThread.h"
#include "update/thread/kuThreadTypes.h"

namespace tessaro {

// A worker thread packaged as a component: OnExecute runs on a separate thread,
// OnTerminate and OnException on the user-interface thread, and waits keep the
// interface alive. Owner is the QObject parent; FreeOnTerminate frees it after a run.
// An owner must delete this component before it tears down what the work uses.
// Needs a QCoreApplication; the thread that creates the first component is the
// user-interface thread. Use from there unless a member says otherwise.
class TkuCustomThread : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TkuCustomThread)

public:
    explicit TkuCustomThread(QObject* owner = nullptr);
    ~TkuCustomThread() override;

    // Starts the work on a fresh thread; with WaitThread, returns when it ends (true) or
    // when WaitTimeout ran out and the thread was terminated (false).
    bool Execute();
    // Start (or use) the thread and wait until the work sets the event whose handle
    // they store in EventHandle; afterwards EventHandle is kuInvalidHandle again.
    bool ExecuteAndWaitForEvent(std::uint32_t& EventHandle, std::uint32_t Timeout);
    bool WaitForEvent(std::uint32_t& EventHandle, std::uint32_t Timeout);
    // Forced: a fresh parked thread replaces the current one at once; running work is
    // abandoned and raises no further event. Otherwise only sets Terminated. Called by
    // the work itself, a forced termination ends it at once (EkuThreadTerminated).
    void Terminate(bool force);
    std::int32_t WaitFor();
    void Suspend();
    void Resume();

    // Called by the work: runs the method on the user-interface thread and blocks until
    // it has run. On the user-interface thread itself the call is direct.
    void Synchronize(const TThreadMethod& method);
    void SynchronizeEx(const TkuThreadMethodEx& method, void* Data);

    std::uintptr_t Handle() const;  // the current thread's pthread_t
    // Read on the worker, these report its own run, even after it was replaced.
    std::uint32_t ThreadID() const;
    bool Running() const;
    bool RunningAndNotSuspended() const;
    bool Terminated() const;
    std::int32_t ReturnValue() const;
    void SetReturnValue(std::int32_t value);
    // What escaped the work or OnTerminate with HandleExceptions false, instead of
    // ending the process; null otherwise.
    std::exception_ptr FatalException() const;

    TThreadPriority Priority() const;
    void SetPriority(TThreadPriority value);
    bool Suspended() const;
    void SetSuspended(bool value);
    bool HandleExceptions() const;
    void SetHandleExceptions(bool value);
    bool FreeOnTerminate() const { return FFreeOnTerminate; }
    void SetFreeOnTerminate(bool value) { FFreeOnTerminate = value; }
    bool WaitThread() const { return FWaitThread; }
    void SetWaitThread(bool value) { FWaitThread = value; }
    std::uint32_t WaitTimeout() const { return FWaitTimeout; }
    void SetWaitTimeout(std::uint32_t value) { FWaitTimeout = value; }

    TNotifyEvent OnExecute() const;
    void SetOnExecute(TNotifyEvent handler);
    TNotifyEvent OnException() const;
    void SetOnException(TNotifyEvent handler);
    TNotifyEvent OnTerminate() const;
    void SetOnTerminate(TNotifyEvent handler);
    TkuThreadWaitTimeoutExpired OnWaitTimeoutExpired() const { return FOnWaitTimeoutExpired; }
    void SetOnWaitTimeoutExpired(TkuThreadWaitTimeoutExpired handler) {
        FOnWaitTimeoutExpired = std::move(handler);
    }

protected:
    void DoWaitTimeoutExpired(bool& TerminateThread);

private:
    friend class TkuThreadRun;

    void CallTerminate(TkuThreadRun& run);
    void CallException(TkuThreadRun& run);
    bool WaitForRunEnd(const std::shared_ptr<TkuThreadRun>& run);
    bool AwaitEvent(std::uint32_t& EventHandle, std::uint32_t handle, std::uint32_t Timeout);
    bool WaitForEventOrRunEnd(std::uint32_t handle, std::uint32_t Timeout);
    bool IsCurrent(const TkuThreadRun& run) const { return &FEventThread->Run() == &run; }
    TkuThreadRun& RunOfCaller() const;
    void ReapFinished();
    bool IsDestroying() const { return FLink->destroying; }

    const std::shared_ptr<TkuThreadOwnerLink> FLink;
    std::unique_ptr<TkuEventThread> FEventThread;
    // Replaced threads that may still be finishing their current step.
    std::vector<std::unique_ptr<TkuEventThread>> FRetired;
    bool FFreeOnTerminate = false;
    bool FWaitThread = false;
    std::uint32_t FWaitTimeout = 0;
    TkuThreadWaitTimeoutExpired FOnWaitTimeoutExpired;
};

// The component with its settings published as properties.
class TkuThread final : public TkuCustomThread {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TkuThread)
    Q_PROPERTY(bool HandleExceptions READ HandleExceptions WRITE SetHandleExceptions)
    Q_PROPERTY(bool Suspended READ Suspended WRITE SetSuspended)
    Q_PROPERTY(bool WaitThread READ WaitThread WRITE SetWaitThread)
    Q_PROPERTY(unsigned WaitTimeout READ WaitTimeout WRITE SetWaitTimeout)

public:
    using TkuCustomThread::TkuCustomThread;
};

}  // namespace tessaro
