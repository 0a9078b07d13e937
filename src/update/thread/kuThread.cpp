#include "update/thread/kuThread.h"

#include <QPointer>

#include <algorithm>
#include <chrono>

#include "update/thread/kuSyncEvent.h"
#include "update/thread/kuWaitLoop.h"

namespace tessaro {

namespace {

using std::chrono::milliseconds;
using std::chrono::steady_clock;

// The rest of a wait limit, never zero while time is left (zero means no limit).
milliseconds RemainingTime(steady_clock::time_point deadline) {
    const auto left = std::chrono::ceil<milliseconds>(deadline - steady_clock::now());
    return std::max(left, milliseconds(0));
}

}  // namespace

TkuCustomThread::TkuCustomThread(QObject* owner)
    : QObject(owner),
      FLink(std::make_shared<TkuThreadOwnerLink>(this, this)),
      FEventThread(std::make_unique<TkuEventThread>(FLink)) {
    // The owner deletes its children only after its destroyed signal: from then on no
    // event may reach it.
    if (owner)
        connect(owner, &QObject::destroyed, this, [link = FLink] { link->destroying = true; });
}

TkuCustomThread::~TkuCustomThread() {
    FLink->destroying = true;
    if (FEventThread->Run().StopOrAbandon()) FRetired.push_back(std::move(FEventThread));
    FEventThread.reset();
    // Waiting for the threads services their calls; nothing may reach this list then.
    std::vector<std::unique_ptr<TkuEventThread>> retired = std::move(FRetired);
    retired.clear();
}

bool TkuCustomThread::Execute() {
    Terminate(true);
    FEventThread->Resume();
    if (!FWaitThread) return true;
    return WaitForRunEnd(FEventThread->SharedRun());
}

bool TkuCustomThread::WaitForRunEnd(const std::shared_ptr<TkuThreadRun>& run) {
    const QPointer<TkuCustomThread> self(this);
    TkuWaitLoop loop;
    const TkuWakeRegistration onRunEnd(run->Waiters(), loop);
    const bool limited = FWaitTimeout != 0;
    const auto deadline = steady_clock::now() + milliseconds(FWaitTimeout);
    while (!run->Finished() && !run->Abandoned()) {
        if (!self || IsDestroying()) return true;
        const milliseconds limit = limited ? RemainingTime(deadline) : milliseconds(0);
        const TkuWaitLoop::TOutcome outcome =
            limited && limit.count() == 0 ? TkuWaitLoop::TOutcome::TimedOut : loop.Run(limit);
        if (outcome == TkuWaitLoop::TOutcome::Quit) return true;
        if (outcome == TkuWaitLoop::TOutcome::TimedOut) {
            if (!self) return true;
            bool terminateThread = true;
            DoWaitTimeoutExpired(terminateThread);
            return !terminateThread;
        }
    }
    return true;
}

void TkuCustomThread::DoWaitTimeoutExpired(bool& TerminateThread) {
    const QPointer<TkuCustomThread> self(this);
    if (FOnWaitTimeoutExpired) FOnWaitTimeoutExpired(this, TerminateThread);
    if (self && TerminateThread) Terminate(true);
}

bool TkuCustomThread::ExecuteAndWaitForEvent(std::uint32_t& EventHandle, std::uint32_t Timeout) {
    if (RunningAndNotSuspended()) return false;
    Terminate(true);
    // The event exists before the work starts, so the work always finds its handle.
    const std::uint32_t handle = TkuSyncEvent::Create();
    EventHandle = handle;
    FEventThread->Resume();
    return AwaitEvent(EventHandle, handle, Timeout);
}

bool TkuCustomThread::WaitForEvent(std::uint32_t& EventHandle, std::uint32_t Timeout) {
    if (!Running() || Suspended()) return false;
    const std::uint32_t handle = TkuSyncEvent::Create();
    EventHandle = handle;
    return AwaitEvent(EventHandle, handle, Timeout);
}

bool TkuCustomThread::AwaitEvent(std::uint32_t& EventHandle, std::uint32_t handle,
                                 std::uint32_t Timeout) {
    const QPointer<TkuCustomThread> self(this);
    const bool signalled = WaitForEventOrRunEnd(handle, Timeout);
    TkuSyncEvent::Close(handle);
    // The handle variable may have gone with a component destroyed during the wait.
    if (self) EventHandle = kuInvalidHandle;
    return signalled;
}

bool TkuCustomThread::WaitForEventOrRunEnd(std::uint32_t handle, std::uint32_t Timeout) {
    const QPointer<TkuCustomThread> self(this);
    const std::shared_ptr<TkuThreadRun> run = FEventThread->SharedRun();
    const std::shared_ptr<TkuSyncEvent> event = TkuSyncEvent::Find(handle);
    if (!event) return false;  // the work closed it
    TkuWaitLoop loop;
    const TkuWakeRegistration onRunEnd(run->Waiters(), loop);
    const TkuWakeRegistration onSignal(event->Waiters(), loop);
    // The timeout only bounds each wait; the loop goes on until something decides.
    const milliseconds period(Timeout);
    while (self && !IsDestroying() && IsCurrent(*run) && !run->Suspended()) {
        if (event->IsSet()) return true;
        if (run->Finished()) return false;
        if (loop.Run(period) == TkuWaitLoop::TOutcome::Quit) return false;
    }
    return false;
}

void TkuCustomThread::Terminate(bool force) {
    if (TkuThreadRun* worker = TkuThreadRun::OfCallingThread();
        worker && worker->Owner().component == this) {
        // The work ends its own run: it leaves at once, raising nothing more.
        worker->Terminate();
        if (!force) return;
        worker->StopOrAbandon();
        throw EkuThreadTerminated();
    }
    if (!FEventThread) return;
    if (!force) {
        FEventThread->Terminate();
        return;
    }
    ReapFinished();
    FEventThread = TkuEventThread::RecreateThread(std::move(FEventThread), FRetired);
}

void TkuCustomThread::ReapFinished() {
    std::erase_if(FRetired, [](const auto& thread) { return thread->Run().Finished(); });
}

std::int32_t TkuCustomThread::WaitFor() {
    return FEventThread->WaitFor();
}

void TkuCustomThread::Suspend() {
    FEventThread->Suspend();
}

void TkuCustomThread::Resume() {
    FEventThread->Resume();
}

TkuThreadRun& TkuCustomThread::RunOfCaller() const {
    TkuThreadRun* worker = TkuThreadRun::OfCallingThread();
    if (worker && worker->Owner().component == this) return *worker;
    return FEventThread->Run();
}

void TkuCustomThread::Synchronize(const TThreadMethod& method) {
    RunOfCaller().Synchronize(method);
}

void TkuCustomThread::SynchronizeEx(const TkuThreadMethodEx& method, void* Data) {
    if (!method) return;
    TkuThreadRun& run = RunOfCaller();
    // Method and data stay with this call: concurrent callers cannot overwrite them.
    run.Synchronize([&run, &method, Data] {
        if (!run.Owner().destroying) method(Data);
    });
}

void TkuCustomThread::CallTerminate(TkuThreadRun& run) {
    const bool freeOwner = FFreeOnTerminate;
    const QPointer<TkuCustomThread> self(this);
    const TNotifyEvent onTerminate = run.OnTerminate();
    if (onTerminate && !IsDestroying()) {
        if (HandleExceptions()) {
            try {
                onTerminate(this);
            } catch (...) {
                if (self) CallException(run);
            }
        } else {
            onTerminate(this);
        }
    }
    if (!self || !freeOwner || !parent()) return;
    if (IsCurrent(run)) {
        FRetired.push_back(std::move(FEventThread));
        FEventThread = FRetired.back()->CreateThread();
    }
    // Deferred: the owner's code and this call are still on the stack.
    parent()->deleteLater();
}

void TkuCustomThread::CallException(TkuThreadRun& run) {
    if (IsDestroying()) return;
    if (const TNotifyEvent onException = run.OnException()) onException(this);
}

std::uintptr_t TkuCustomThread::Handle() const {
    return FEventThread->Handle();
}

std::uint32_t TkuCustomThread::ThreadID() const {
    return static_cast<std::uint32_t>(RunOfCaller().ThreadId());
}

bool TkuCustomThread::Running() const {
    return RunOfCaller().Running();
}

bool TkuCustomThread::RunningAndNotSuspended() const {
    const TkuThreadRun& run = RunOfCaller();
    return run.Running() && !run.Suspended();
}

bool TkuCustomThread::Terminated() const {
    return RunOfCaller().Terminated();
}

std::int32_t TkuCustomThread::ReturnValue() const {
    return RunOfCaller().ReturnValue();
}

void TkuCustomThread::SetReturnValue(std::int32_t value) {
    RunOfCaller().SetReturnValue(value);
}

std::exception_ptr TkuCustomThread::FatalException() const {
    return RunOfCaller().FatalException();
}

TThreadPriority TkuCustomThread::Priority() const {
    return FEventThread->GetPriority();
}

void TkuCustomThread::SetPriority(TThreadPriority value) {
    FEventThread->SetPriority(value);
}

bool TkuCustomThread::Suspended() const {
    return RunOfCaller().Suspended();
}

void TkuCustomThread::SetSuspended(bool value) {
    FEventThread->SetSuspended(value);
}

bool TkuCustomThread::HandleExceptions() const {
    return FLink->handleExceptions;
}

void TkuCustomThread::SetHandleExceptions(bool value) {
    FLink->handleExceptions = value;
}

TNotifyEvent TkuCustomThread::OnExecute() const {
    return FEventThread->Run().OnExecute();
}

void TkuCustomThread::SetOnExecute(TNotifyEvent handler) {
    FEventThread->Run().SetOnExecute(std::move(handler));
}

TNotifyEvent TkuCustomThread::OnException() const {
    return FEventThread->Run().OnException();
}

void TkuCustomThread::SetOnException(TNotifyEvent handler) {
    FEventThread->Run().SetOnException(std::move(handler));
}

TNotifyEvent TkuCustomThread::OnTerminate() const {
    return FEventThread->Run().OnTerminate();
}

void TkuCustomThread::SetOnTerminate(TNotifyEvent handler) {
    FEventThread->Run().SetOnTerminate(std::move(handler));
}

}  // namespace tessaro
