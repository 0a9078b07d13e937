#include "update/utils/kuWait.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace tessaro {
namespace {

bool IsOpen(THandle handle) {
    return handle != 0 && handle != INVALID_HANDLE_VALUE;
}

qint64 TimedWait(TkuEventSlot& slot, std::uint32_t timeout) {
    QElapsedTimer elapsed;
    elapsed.start();
    Wait(slot, timeout, true);
    return elapsed.elapsed();
}

TEST(Wait, StopWaitFromOtherThreadsEndsTheWaitAndClosesTheHandle) {
    TkuEventSlot slot{0};
    std::atomic<bool> go = false;
    std::vector<std::thread> stoppers;
    for (int i = 0; i < 4; ++i)
        stoppers.emplace_back([&] {
            while (!go) std::this_thread::yield();
            for (int n = 0; n < 200; ++n) StopWait(slot);
        });
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { go = go || ++ticks == 5; });
    ticker.start(5);
    const qint64 elapsed = TimedWait(slot, 20000);
    for (std::thread& stopper : stoppers) stopper.join();
    EXPECT_GE(ticks, 5) << "events go on while waiting";
    EXPECT_LT(elapsed, 10000);
    EXPECT_EQ(slot.load(), INVALID_HANDLE_VALUE);
}

TEST(Wait, ATimeOutEndsTheWaitAndNeitherFinishedNorNestedWaitsStopAnOuterOne) {
    TkuEventSlot slot{0};
    THandle outer = 0, inner = 0;
    qint64 innerElapsed = -1;
    QTimer::singleShot(10, [&] {
        outer = slot.load();
        QTimer::singleShot(20, [&] {
            inner = slot.load();
            StopWait(slot);
        });
        innerElapsed = TimedWait(slot, 20000);
        for (const THandle old : {slot.load(), inner, THandle{0}, INVALID_HANDLE_VALUE})
            StopWait(old);  // the slot is closed now: the outer wait goes on
    });
    const qint64 elapsed = TimedWait(slot, 300);
    EXPECT_GE(elapsed, 300);
    EXPECT_LT(elapsed, 10000);
    EXPECT_TRUE(IsOpen(outer) && IsOpen(inner));
    EXPECT_NE(outer, inner);
    EXPECT_LT(innerElapsed, 10000);
    EXPECT_EQ(slot.load(), INVALID_HANDLE_VALUE);
}

TEST(Wait, TheApplicationsQuitEndsAWaitThatStopsOnTermination) {
    // The wait runs inside the application's own event loop; the quit comes 20 ms later.
    TkuEventSlot slot{0};
    qint64 elapsed = -1;
    QTimer::singleShot(0, [&] {
        QTimer::singleShot(20, [] { QCoreApplication::quit(); });
        elapsed = TimedWait(slot, 20000);
        QCoreApplication::exit(0);
    });
    QCoreApplication::exec();
    EXPECT_GE(elapsed, 0);
    EXPECT_LT(elapsed, 10000);
    EXPECT_EQ(slot.load(), INVALID_HANDLE_VALUE);
}

}  // namespace
}  // namespace tessaro
