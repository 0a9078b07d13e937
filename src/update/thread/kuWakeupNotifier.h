#pragma once

#include <QObject>
#include <QSocketNotifier>

#include <functional>

namespace tessaro {

// Lets any thread wake the event loop of the thread that created it, where the handler
// then runs. An eventfd rather than a posted Qt event: the kernel orders the hand-over,
// so race detectors see it, and nothing is allocated on one thread and freed on another.
class TkuWakeupNotifier final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TkuWakeupNotifier)

public:
    explicit TkuWakeupNotifier(std::function<void()> handler);
    ~TkuWakeupNotifier() override;

    // Thread-safe; wakes that arrive before the handler runs are merged into one.
    void Raise();

private:
    void Consume();

    const int FFd;
    QSocketNotifier FNotifier;
    const std::function<void()> FHandler;
};

}  // namespace tessaro
