#include "update/utils/kuWait.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QMetaObject>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <unordered_map>

namespace tessaro {
namespace {

using Clock = std::chrono::steady_clock;

// While the application quits, events are still processed in slices of this length.
constexpr std::chrono::milliseconds kQuittingSlice{10};

class WaitEvent final {
public:
    explicit WaitEvent(QEventLoop* loop) : loop_(loop) {}

    void Signal() {
        {
            std::lock_guard lock(mutex_);
            signalled_ = true;
        }
        woken_.notify_all();
        if (loop_) QMetaObject::invokeMethod(loop_, "quit", Qt::QueuedConnection);
    }

    bool Signalled() {
        std::lock_guard lock(mutex_);
        return signalled_;
    }

    // Blocks without processing events.
    void BlockUntil(std::optional<Clock::time_point> deadline) {
        std::unique_lock lock(mutex_);
        if (deadline)
            woken_.wait_until(lock, *deadline, [this] { return signalled_; });
        else
            woken_.wait(lock, [this] { return signalled_; });
    }

private:
    QEventLoop* loop_ = nullptr;
    std::mutex mutex_;
    std::condition_variable woken_;
    bool signalled_ = false;
};

// Every running wait by handle; StopWait signals under the lock, so an event
// is never touched after its wait has unregistered it.
class EventTable final {
public:
    THandle Register(WaitEvent* event) {
        std::lock_guard lock(mutex_);
        const THandle handle = ++lastHandle_;
        events_.emplace(handle, event);
        return handle;
    }

    void Unregister(THandle handle) {
        std::lock_guard lock(mutex_);
        events_.erase(handle);
    }

    void Signal(THandle handle) {
        std::lock_guard lock(mutex_);
        if (const auto found = events_.find(handle); found != events_.end())
            found->second->Signal();
    }

private:
    std::mutex mutex_;
    std::unordered_map<THandle, WaitEvent*> events_;
    THandle lastHandle_ = 0;
};

EventTable& Events() {
    static EventTable table;
    return table;
}

class Registration final {
public:
    Registration(TkuEventSlot& slot, WaitEvent& event)
        : slot_(slot), handle_(Events().Register(&event)) {
        slot_.store(handle_);
    }
    ~Registration() {
        Events().Unregister(handle_);
        slot_.store(INVALID_HANDLE_VALUE);
    }
    Registration(const Registration&) = delete;
    Registration& operator=(const Registration&) = delete;

private:
    TkuEventSlot& slot_;
    THandle handle_;
};

bool Expired(std::optional<Clock::time_point> deadline) {
    return deadline && Clock::now() >= *deadline;
}

void PumpUntil(QEventLoop& loop, WaitEvent& event, std::optional<Clock::time_point> deadline,
               bool stopOnTerminate) {
    QTimer timer;
    bool timedOut = false;
    if (deadline) {
        timer.setSingleShot(true);
        timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
            timedOut = true;
            loop.quit();
        });
        const auto remaining =
            std::chrono::ceil<std::chrono::milliseconds>(*deadline - Clock::now());
        timer.start(std::max(remaining, std::chrono::milliseconds(0)));
    }
    bool quitting = false;
    while (!event.Signalled() && !timedOut && !Expired(deadline)) {
        if (quitting && stopOnTerminate) return;
        if (!quitting) {
            loop.exec();
            // Neither the event nor the timer ended the loop: the application is quitting.
            quitting = !event.Signalled() && !timedOut;
        } else {
            QCoreApplication::processEvents(QEventLoop::AllEvents,
                                            static_cast<int>(kQuittingSlice.count()));
            const auto slice = Clock::now() + kQuittingSlice;
            event.BlockUntil(deadline && *deadline < slice ? *deadline : slice);
        }
    }
}

}  // namespace

void Wait(TkuEventSlot& event, std::uint32_t timeout, bool stopOnTerminate) {
    std::optional<Clock::time_point> deadline;
    if (timeout != 0) deadline = Clock::now() + std::chrono::milliseconds(timeout);
    if (!QCoreApplication::instance()) {
        WaitEvent waitEvent(nullptr);
        const Registration registration(event, waitEvent);
        waitEvent.BlockUntil(deadline);
        return;
    }
    QEventLoop loop;
    WaitEvent waitEvent(&loop);
    const Registration registration(event, waitEvent);
    PumpUntil(loop, waitEvent, deadline, stopOnTerminate);
}

void StopWait(THandle event) {
    if (event == 0 || event == INVALID_HANDLE_VALUE) return;
    Events().Signal(event);
}

}  // namespace tessaro
