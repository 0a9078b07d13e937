#include "update/utils/kuWait.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace tessaro {
namespace {

bool IsOpen(THandle handle) {
    return handle != 0 && handle != INVALID_HANDLE_VALUE;
}

qint64 TimedWait(TkuEventSlot& slot, std::uint32_t timeout, bool stopOnTerminate) {
    QElapsedTimer elapsed;
    elapsed.start();
    Wait(slot, timeout, stopOnTerminate);
    return elapsed.elapsed();
}

TEST(Wait, StopWaitFromAnotherThreadEndsTheWait) {
    TkuEventSlot slot{0};
    std::thread stopper([&] {
        while (!IsOpen(slot.load())) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        StopWait(slot);
    });
    const qint64 elapsed = TimedWait(slot, 20000, true);
    stopper.join();
    EXPECT_LT(elapsed, 10000);
    EXPECT_EQ(slot.load(), INVALID_HANDLE_VALUE);
}

TEST(Wait, EventsKeepBeingProcessedWhileWaiting) {
    TkuEventSlot slot{0};
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        if (++ticks == 5) StopWait(slot);
    });
    ticker.start(5);
    TimedWait(slot, 20000, true);
    EXPECT_EQ(ticks, 5);
}

TEST(Wait, ATimeOutEndsTheWaitAndClosesTheHandle) {
    TkuEventSlot slot{0};
    THandle during = 0;
    QTimer::singleShot(10, [&] { during = slot.load(); });
    const qint64 elapsed = TimedWait(slot, 150, true);
    EXPECT_GE(elapsed, 150);
    EXPECT_LT(elapsed, 10000);
    EXPECT_TRUE(IsOpen(during));
    EXPECT_EQ(slot.load(), INVALID_HANDLE_VALUE);
}

TEST(Wait, HandlesOfFinishedWaitsStopNothing) {
    TkuEventSlot first{0};
    THandle old = 0;
    QTimer::singleShot(5, [&] { old = first.load(); });
    TimedWait(first, 30, true);
    ASSERT_TRUE(IsOpen(old));

    TkuEventSlot second{0};
    QTimer::singleShot(5, [&] {
        StopWait(old);
        StopWait(THandle{0});
        StopWait(INVALID_HANDLE_VALUE);
    });
    EXPECT_GE(TimedWait(second, 150, true), 150);
}

TEST(Wait, ASecondWaitOnTheSameSlotLeavesTheFirstToItsTimeOut) {
    TkuEventSlot slot{0};
    THandle outer = 0;
    THandle inner = 0;
    qint64 innerElapsed = -1;
    QTimer::singleShot(10, [&] {
        outer = slot.load();
        QTimer::singleShot(20, [&] {
            inner = slot.load();
            StopWait(slot);
        });
        innerElapsed = TimedWait(slot, 20000, true);
        StopWait(slot);  // the slot is closed now: the outer wait goes on
    });
    const qint64 elapsed = TimedWait(slot, 300, true);
    EXPECT_TRUE(IsOpen(outer));
    EXPECT_TRUE(IsOpen(inner));
    EXPECT_NE(outer, inner);
    EXPECT_LT(innerElapsed, 10000);
    EXPECT_GE(elapsed, 300);
    EXPECT_EQ(slot.load(), INVALID_HANDLE_VALUE);
}

TEST(Wait, ManyThreadsMayStopTheSameWait) {
    TkuEventSlot slot{0};
    std::atomic<bool> go{false};
    std::vector<std::thread> stoppers;
    for (int i = 0; i < 4; ++i)
        stoppers.emplace_back([&] {
            while (!go.load()) std::this_thread::yield();
            for (int n = 0; n < 200; ++n) StopWait(slot);
        });
    QTimer::singleShot(5, [&] { go = true; });
    const qint64 elapsed = TimedWait(slot, 20000, true);
    for (std::thread& stopper : stoppers) stopper.join();
    EXPECT_LT(elapsed, 10000);
}

// Runs `body` inside the application's own event loop, which the application's
// quit ends; the next exec starts afresh.
template <typename Body>
void InsideApplicationLoop(Body body) {
    QTimer::singleShot(0, [&] {
        body();
        QCoreApplication::exit(0);
    });
    QCoreApplication::exec();
}

TEST(Wait, StopOnTerminateEndsTheWaitWhenTheApplicationQuits) {
    qint64 elapsed = -1;
    TkuEventSlot slot{0};
    InsideApplicationLoop([&] {
        QTimer::singleShot(20, [] { QCoreApplication::quit(); });
        elapsed = TimedWait(slot, 20000, true);
    });
    EXPECT_GE(elapsed, 0);
    EXPECT_LT(elapsed, 10000);
    EXPECT_EQ(slot.load(), INVALID_HANDLE_VALUE);
}

TEST(Wait, WithoutStopOnTerminateTheWaitOutlastsTheQuitAndStillProcessesEvents) {
    qint64 elapsed = -1;
    bool stoppedByTimer = false;
    TkuEventSlot slot{0};
    InsideApplicationLoop([&] {
        QTimer::singleShot(20, [] { QCoreApplication::quit(); });
        QTimer::singleShot(120, [&] {
            stoppedByTimer = true;
            StopWait(slot);
        });
        elapsed = TimedWait(slot, 20000, false);
    });
    EXPECT_TRUE(stoppedByTimer);
    EXPECT_GE(elapsed, 120);
    EXPECT_LT(elapsed, 10000);
}

TEST(Wait, WithoutStopOnTerminateATimeOutStillEndsTheWait) {
    qint64 elapsed = -1;
    TkuEventSlot slot{0};
    InsideApplicationLoop([&] {
        QTimer::singleShot(10, [] { QCoreApplication::quit(); });
        elapsed = TimedWait(slot, 200, false);
    });
    EXPECT_GE(elapsed, 200);
    EXPECT_LT(elapsed, 10000);
}

}  // namespace
}  // namespace tessaro
