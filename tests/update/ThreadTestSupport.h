#pragma once

#include <QCoreApplication>
#include <QThread>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <thread>

#include "update/thread/kuThread.h"

namespace tessaro::test {

using namespace std::chrono_literals;

// Runs the interface thread's events until the condition holds; a bound far above the
// milliseconds it normally takes fails the test instead of hanging it.
inline bool PumpUntil(const std::function<bool()>& condition) {
    for (const auto deadline = std::chrono::steady_clock::now() + 10s; !condition();) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        std::this_thread::sleep_for(200us);
    }
    return true;
}

// Pumps for a short while, for checks that something does not happen.
inline void PumpFor(std::chrono::milliseconds duration) {
    const auto end = std::chrono::steady_clock::now() + duration;
    PumpUntil([&] { return std::chrono::steady_clock::now() >= end; });
}

inline bool OnMainThread() {
    return QThread::currentThread() == qApp->thread();
}

// A component whose work counts its starts and runs until its run is terminated or
// the test releases it; completions are counted on the interface thread.
struct BlockingThread {
    std::atomic<int> started = 0, left = 0;
    std::atomic<bool> release = false, sawTerminated = false;
    int terminated = 0;
    std::unique_ptr<TkuThread> owned = std::make_unique<TkuThread>();
    TkuThread& thread = *owned;

    BlockingThread() {
        thread.SetOnExecute([this, component = &thread](QObject*) {
            ++started;
            while (!component->Terminated() && !release) std::this_thread::sleep_for(1ms);
            std::this_thread::sleep_for(2ms);  // a last step
            sawTerminated = component->Terminated();
            ++left;
        });
        thread.SetOnTerminate([this](QObject*) { ++terminated; });
    }
    bool AwaitStarts(int count) {
        return PumpUntil([&] { return started == count; });
    }
};

}  // namespace tessaro::test
