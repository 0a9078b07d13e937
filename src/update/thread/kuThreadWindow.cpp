#include "update/thread/kuThreadWindow.h"

#include <QThread>

#include <algorithm>

#include "update/thread/kuThreadRun.h"

namespace tessaro {

namespace {

struct TWindowSingleton {
    std::mutex mutex;
    TkuThreadWindow* window = nullptr;
    int references = 0;
};

TWindowSingleton& Singleton() {
    static TWindowSingleton singleton;
    return singleton;
}

}  // namespace

TkuThreadWindow::TkuThreadWindow()
    : FUiThread(QThread::currentThread()), FWakeup([this] { DeliverPending(); }) {}

TkuThreadWindow* TkuThreadWindow::Acquire() {
    TWindowSingleton& singleton = Singleton();
    std::lock_guard lock(singleton.mutex);
    if (!singleton.window) singleton.window = new TkuThreadWindow;
    ++singleton.references;
    return singleton.window;
}

void TkuThreadWindow::Release() {
    TWindowSingleton& singleton = Singleton();
    std::lock_guard lock(singleton.mutex);
    // A worker that outlived its component may drop the last reference; the window
    // belongs to the user-interface thread, so it stays for the next reference then.
    if (--singleton.references == 0 && singleton.window->IsUiThread())
        delete std::exchange(singleton.window, nullptr);
}

bool TkuThreadWindow::IsUiThread() const {
    return QThread::currentThread() == FUiThread;
}

std::exception_ptr TkuThreadWindow::Call(TkuThreadRun& run, const TThreadMethod& method) {
    if (IsUiThread()) return Deliver(run, method, false);
    return CallFromWorker(run, method);
}

std::exception_ptr TkuThreadWindow::CallFromWorker(TkuThreadRun& run, const TThreadMethod& method) {
    TRequest request{&run, &method};
    {
        std::lock_guard lock(FQueueMutex);
        FQueue.push_back(&request);
    }
    run.NotifyCallQueued();
    FWakeup.Raise();
    std::unique_lock lock(FQueueMutex);
    FRequestDone.wait(lock, [&] { return request.done; });
    return request.captured;
}

bool TkuThreadWindow::HasCallOf(const TkuThreadRun& run) {
    std::lock_guard lock(FQueueMutex);
    return std::any_of(FQueue.begin(), FQueue.end(),
                       [&run](const TRequest* request) { return request->run == &run; });
}

void TkuThreadWindow::DeliverPending() {
    std::unique_lock lock(FQueueMutex);
    while (!FQueue.empty()) {
        TRequest* request = FQueue.front();
        FQueue.pop_front();
        lock.unlock();
        std::exception_ptr captured = Deliver(*request->run, *request->method, true);
        lock.lock();
        request->captured = std::move(captured);
        request->done = true;
        FRequestDone.notify_all();
    }
}

std::exception_ptr TkuThreadWindow::Deliver(TkuThreadRun& run, const TThreadMethod& method,
                                            bool workerBlocked) {
    if (run.Owner().destroying || run.Abandoned()) return nullptr;
    std::exception_ptr captured;
    // A direct call may destroy the component and with it the run, so only a call whose
    // worker is blocked (and keeps the run alive) is marked.
    if (workerBlocked) run.SetInSync(true);
    try {
        method();
    } catch (...) {
        captured = std::current_exception();
    }
    if (workerBlocked) run.SetInSync(false);
    return captured;
}

}  // namespace tessaro
