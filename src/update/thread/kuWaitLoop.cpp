#include "update/thread/kuWaitLoop.h"

namespace tessaro {

TkuWaitLoop::TkuWaitLoop() : FWakeup([this] { Wakeup(); }) {
    FTimer.setSingleShot(true);
    connect(&FTimer, &QTimer::timeout, this, [this] {
        FOutcome = TOutcome::TimedOut;
        FLoop.exit();
    });
}

TkuWaitLoop::TOutcome TkuWaitLoop::Run(std::chrono::milliseconds timeout) {
    // Without our own exit, the loop ended because the application asked every loop to quit.
    FOutcome = TOutcome::Quit;
    if (timeout.count() > 0) FTimer.start(timeout);
    FLoop.exec();
    FTimer.stop();
    return FOutcome;
}

void TkuWaitLoop::Wake() {
    FWakeup.Raise();
}

void TkuWaitLoop::Wakeup() {
    if (!FLoop.isRunning()) return;
    FOutcome = TOutcome::Woken;
    FLoop.exit();
}

}  // namespace tessaro
