#include "update/utils/kuWait.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace tessaro {
namespace {

// Without an application object the wait blocks plainly.
TEST(WaitWithoutApplication, StopWaitOrATimeOutEndsTheBlock) {
    ASSERT_EQ(QCoreApplication::instance(), nullptr);
    TkuEventSlot slot{0};
    std::thread stopper([&] {
        while (slot.load() == 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        StopWait(slot);
    });
    QElapsedTimer elapsed;
    elapsed.start();
    Wait(slot, 20000, true);
    stopper.join();
    EXPECT_LT(elapsed.elapsed(), 10000);
    EXPECT_EQ(slot.load(), INVALID_HANDLE_VALUE);
    elapsed.restart();
    Wait(slot, 80, true);
    EXPECT_GE(elapsed.elapsed(), 80);
    EXPECT_EQ(slot.load(), INVALID_HANDLE_VALUE);
}

}  // namespace
}  // namespace tessaro
