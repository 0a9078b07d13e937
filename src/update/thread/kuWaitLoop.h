#pragma once

#include <QEventLoop>
#include <QObject>
#include <QTimer>

#include <chrono>

#include "update/thread/kuWakeupNotifier.h"

namespace tessaro {

// A nested event loop on the user-interface thread that keeps the interface alive
// while it waits. Any thread may wake it; its owner re-checks what it waits for.
class TkuWaitLoop final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TkuWaitLoop)

public:
    enum class TOutcome { Woken, TimedOut, Quit };

    TkuWaitLoop();

    // Runs until woken, until the timeout (0: none) or until the application quits.
    TOutcome Run(std::chrono::milliseconds timeout);

    // Thread-safe; a wake that arrives before Run ends the next Run at once.
    void Wake();

private:
    void Wakeup();

    QEventLoop FLoop;
    QTimer FTimer;
    TOutcome FOutcome = TOutcome::Quit;
    TkuWakeupNotifier FWakeup;
};

}  // namespace tessaro
