#pragma once

#include <QCoreApplication>
#include <QThread>

#include <chrono>
#include <functional>
#include <thread>

namespace tessaro::test {

// Upper bound for conditions that normally hold within milliseconds; reaching it fails
// the test instead of hanging it.
inline constexpr auto kPatience = std::chrono::seconds(10);

// Runs the user-interface thread's events until the condition holds.
inline bool PumpUntil(const std::function<bool()>& condition) {
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    return true;
}

// Pumps for a short while, for checks that something does not happen.
inline void PumpFor(std::chrono::milliseconds duration) {
    const auto end = std::chrono::steady_clock::now() + duration;
    while (std::chrono::steady_clock::now() < end) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
}

// Work that runs until its run is terminated or the test lets it go.
template <typename Thread, typename Flag>
void WorkUntilStopped(const Thread& thread, const Flag& release) {
    while (!thread.Terminated() && !release.load())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

inline bool OnMainThread() {
    return QThread::currentThread() == qApp->thread();
}

}  // namespace tessaro::test
