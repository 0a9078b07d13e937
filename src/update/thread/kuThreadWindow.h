#pragma once

#include <QObject>

#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>

#include "update/thread/kuThreadTypes.h"
#include "update/thread/kuWakeupNotifier.h"

class QThread;

namespace tessaro {

class TkuThreadRun;

// One object per process, living on the thread that created it (the user-interface
// thread), that runs calls from worker threads there while the worker blocks. Created
// by the first reference; one mutex guards the instance and its reference count.
class TkuThreadWindow final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TkuThreadWindow)

public:
    static TkuThreadWindow* Acquire();
    static void Release();

    // Runs the method on the user-interface thread and returns what it raised. On that
    // thread itself the call is direct. Skipped for a run that is abandoned or whose
    // component is being destroyed.
    std::exception_ptr Call(TkuThreadRun& run, const TThreadMethod& method);

    bool IsUiThread() const;

    // Runs the calls waiting for the user-interface thread: what a wait for a worker
    // must service so that the worker cannot block on it forever.
    void DeliverPending();
    bool HasCallOf(const TkuThreadRun& run);

private:
    struct TRequest {
        TkuThreadRun* run;
        const TThreadMethod* method;
        std::exception_ptr captured = nullptr;
        bool done = false;
    };

    TkuThreadWindow();
    ~TkuThreadWindow() override = default;

    std::exception_ptr CallFromWorker(TkuThreadRun& run, const TThreadMethod& method);
    static std::exception_ptr Deliver(TkuThreadRun& run, const TThreadMethod& method,
                                      bool workerBlocked);

    QThread* const FUiThread;
    std::mutex FQueueMutex;
    std::condition_variable FRequestDone;
    std::deque<TRequest*> FQueue;
    TkuWakeupNotifier FWakeup;
};

// A counted reference to the thread window.
class TkuThreadWindowRef final {
public:
    TkuThreadWindowRef() : FWindow(TkuThreadWindow::Acquire()) {}
    ~TkuThreadWindowRef() { TkuThreadWindow::Release(); }
    TkuThreadWindowRef(const TkuThreadWindowRef&) = delete;
    TkuThreadWindowRef& operator=(const TkuThreadWindowRef&) = delete;

    TkuThreadWindow* operator->() const { return FWindow; }
    TkuThreadWindow& operator*() const { return *FWindow; }

private:
    TkuThreadWindow* const FWindow;
};

}  // namespace tessaro
