#include "update/thread/kuThreadRun.h"

#include <unistd.h>

#include "update/thread/kuThread.h"
#include "update/thread/kuThreadPriority.h"

namespace tessaro {

namespace {

thread_local TkuThreadRun* callingRun = nullptr;

class TCallingRunScope final {
public:
    explicit TCallingRunScope(TkuThreadRun* run) { callingRun = run; }
    ~TCallingRunScope() { callingRun = nullptr; }
    TCallingRunScope(const TCallingRunScope&) = delete;
    TCallingRunScope& operator=(const TCallingRunScope&) = delete;
};

}  // namespace

TkuThreadRun::TkuThreadRun(std::shared_ptr<TkuThreadOwnerLink> owner)
    : FOwner(std::move(owner)), FBaseNice(CallingThreadNice()) {}

TkuThreadRun* TkuThreadRun::OfCallingThread() {
    return callingRun;
}

TNotifyEvent TkuThreadRun::OnExecute() const {
    std::lock_guard lock(FMutex);
    return FOnExecute;
}

TNotifyEvent TkuThreadRun::OnException() const {
    std::lock_guard lock(FMutex);
    return FOnException;
}

TNotifyEvent TkuThreadRun::OnTerminate() const {
    std::lock_guard lock(FMutex);
    return FOnTerminate;
}

void TkuThreadRun::SetOnExecute(TNotifyEvent handler) {
    std::lock_guard lock(FMutex);
    FOnExecute = std::move(handler);
}

void TkuThreadRun::SetOnException(TNotifyEvent handler) {
    std::lock_guard lock(FMutex);
    FOnException = std::move(handler);
}

void TkuThreadRun::SetOnTerminate(TNotifyEvent handler) {
    std::lock_guard lock(FMutex);
    FOnTerminate = std::move(handler);
}

void TkuThreadRun::Work() {
    PublishThreadId();
    WaitAtGate();
    if (!BeginWork()) {
        // Released before it ever ran: the owner is being destroyed or replaced.
        EndWork(nullptr);
        return;
    }
    std::exception_ptr fatal;
    bool abandoned = false;
    {
        const TCallingRunScope scope(this);
        try {
            ExecuteWork();
        } catch (const EkuThreadTerminated&) {
            abandoned = true;
        } catch (...) {
            fatal = std::current_exception();
        }
        if (!abandoned) {
            try {
                DoTerminate();
            } catch (const EkuThreadTerminated&) {
            } catch (...) {
                if (!fatal) fatal = std::current_exception();
            }
        }
    }
    EndWork(std::move(fatal));
}

void TkuThreadRun::ExecuteWork() {
    const TNotifyEvent onExecute = OnExecute();
    if (!onExecute || FOwner->destroying) return;
    if (!FOwner->handleExceptions) {
        onExecute(FOwner->sender);
        return;
    }
    try {
        onExecute(FOwner->sender);
    } catch (const EkuThreadTerminated&) {
        throw;
    } catch (...) {
        if (OnException() && !FOwner->destroying)
            Synchronize([this] { FOwner->component->CallException(*this); });
    }
}

void TkuThreadRun::DoTerminate() {
    if (OnTerminate()) Synchronize([this] { FOwner->component->CallTerminate(*this); });
}

void TkuThreadRun::Synchronize(const TThreadMethod& method) {
    const bool onWorker = !FWindow->IsUiThread();
    if (onWorker && Abandoned()) throw EkuThreadTerminated();
    // A direct call may destroy the component and this run with it.
    const std::shared_ptr<TkuThreadOwnerLink> owner = FOwner;
    if (owner->destroying) return;
    const std::exception_ptr captured = FWindow->Call(*this, method);
    if (onWorker && Abandoned()) throw EkuThreadTerminated();
    if (captured && !owner->handleExceptions) std::rethrow_exception(captured);
}

void TkuThreadRun::PublishThreadId() {
    std::lock_guard lock(FMutex);
    FThreadId.store(gettid());
    FChanged.notify_all();
}

void TkuThreadRun::WaitUntilStarted() {
    std::unique_lock lock(FMutex);
    FChanged.wait(lock, [this] { return FThreadId.load() != 0; });
}

void TkuThreadRun::WaitAtGate() {
    std::unique_lock lock(FMutex);
    FChanged.wait(lock, [this] { return FGateOpen; });
}

void TkuThreadRun::OpenGate() {
    FGateOpen = true;
    FChanged.notify_all();
}

bool TkuThreadRun::BeginWork() {
    std::lock_guard lock(FMutex);
    if (FTerminated.load()) return false;
    FRunning.store(true);
    return true;
}

void TkuThreadRun::EndWork(std::exception_ptr fatal) {
    {
        std::lock_guard lock(FMutex);
        FFatalException = std::move(fatal);
        FRunning.store(false);
        FFinished = true;
        FChanged.notify_all();
    }
    FWaiters.WakeAll();
}

void TkuThreadRun::Suspend() {
    std::lock_guard lock(FMutex);
    ++FSuspendCount;
    FSuspended.store(true);
}

bool TkuThreadRun::Resume() {
    std::lock_guard lock(FMutex);
    if (FSuspendCount == 0) return false;
    if (--FSuspendCount > 0) return false;
    FSuspended.store(false);
    OpenGate();
    return true;
}

bool TkuThreadRun::StopOrAbandon() {
    {
        std::lock_guard lock(FMutex);
        FTerminated.store(true);
        if (!FRunning.load()) {
            OpenGate();
            return false;
        }
        FAbandoned.store(true);
    }
    FWaiters.WakeAll();
    return true;
}

void TkuThreadRun::Release() {
    std::lock_guard lock(FMutex);
    FTerminated.store(true);
    OpenGate();
}

void TkuThreadRun::WaitUntilFinished() {
    const bool onUiThread = FWindow->IsUiThread();
    // Inside this run's own call the worker waits for us: there is nothing to wait for.
    if (onUiThread && InSync()) return;
    std::unique_lock lock(FMutex);
    while (!FFinished) {
        if (onUiThread && FWindow->HasCallOf(*this)) {
            lock.unlock();
            FWindow->DeliverPending();
            lock.lock();
        } else {
            FChanged.wait(lock);
        }
    }
}

bool TkuThreadRun::Finished() const {
    std::lock_guard lock(FMutex);
    return FFinished;
}

std::exception_ptr TkuThreadRun::FatalException() const {
    std::lock_guard lock(FMutex);
    return FFatalException;
}

void TkuThreadRun::SetPriority(TThreadPriority priority) {
    FPriority.store(priority);
    // Identifier 0 would name the calling thread.
    if (const pid_t tid = FThreadId.load(); tid != 0) ApplyThreadPriority(tid, FBaseNice, priority);
}

void TkuThreadRun::NotifyCallQueued() {
    std::lock_guard lock(FMutex);
    FChanged.notify_all();
}

}  // namespace tessaro
