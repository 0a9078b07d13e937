#include "update/thread/kuEventThread.h"

namespace tessaro {

TkuEventThread::TkuEventThread(std::shared_ptr<TkuThreadOwnerLink> owner)
    : FOwner(std::move(owner)),
      FRun(std::make_shared<TkuThreadRun>(FOwner)),
      FThread([run = FRun] { run->Work(); }),
      FHandle(static_cast<std::uintptr_t>(FThread.native_handle())) {
    FRun->WaitUntilStarted();
}

TkuEventThread::~TkuEventThread() {
    FRun->Release();
    if (FRun->InSync()) {
        // Its worker waits for the call this thread is running; it sees the release when
        // the call returns and ends without touching the component.
        FThread.detach();
        return;
    }
    FRun->WaitUntilFinished();
    FThread.join();
}

void TkuEventThread::SetSuspended(bool value) {
    if (value == FRun->Suspended()) return;
    if (value)
        Suspend();
    else
        Resume();
}

std::int32_t TkuEventThread::WaitFor() {
    // A call serviced during the wait may destroy this object.
    const std::shared_ptr<TkuThreadRun> run = FRun;
    run->WaitUntilFinished();
    return run->ReturnValue();
}

std::unique_ptr<TkuEventThread> TkuEventThread::CreateThread() const {
    auto fresh = std::make_unique<TkuEventThread>(FOwner);
    TkuThreadRun& run = fresh->Run();
    run.SetPriority(FRun->Priority());
    run.SetOnTerminate(FRun->OnTerminate());
    run.SetOnExecute(FRun->OnExecute());
    run.SetOnException(FRun->OnException());
    return fresh;
}

std::unique_ptr<TkuEventThread> TkuEventThread::RecreateThread(
    std::unique_ptr<TkuEventThread> current,
    std::vector<std::unique_ptr<TkuEventThread>>& abandoned) {
    std::unique_ptr<TkuEventThread> fresh = current->CreateThread();
    if (current->Run().StopOrAbandon()) abandoned.push_back(std::move(current));
    return fresh;
}

}  // namespace tessaro
