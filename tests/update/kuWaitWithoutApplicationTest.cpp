#include "update/utils/kuWait.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace tessaro {
namespace {

using Clock = std::chrono::steady_clock;

std::chrono::milliseconds TimedWait(TkuEventSlot& slot, std::uint32_t timeout) {
    const auto start = Clock::now();
    Wait(slot, timeout, true);
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
}

// Worker threads without an application object block plainly.
TEST(WaitWithoutApplication, StopWaitEndsTheBlock) {
    ASSERT_EQ(QCoreApplication::instance(), nullptr);
    TkuEventSlot slot{0};
    std::thread stopper([&] {
        while (slot.load() == 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        StopWait(slot);
    });
    EXPECT_LT(TimedWait(slot, 20000).count(), 10000);
    stopper.join();
    EXPECT_EQ(slot.load(), INVALID_HANDLE_VALUE);
}

TEST(WaitWithoutApplication, ATimeOutEndsTheBlock) {
    TkuEventSlot slot{0};
    EXPECT_GE(TimedWait(slot, 80).count(), 80);
    EXPECT_EQ(slot.load(), INVALID_HANDLE_VALUE);
}

}  // namespace
}  // namespace tessaro
