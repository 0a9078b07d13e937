#include <QTimer>

#include <gtest/gtest.h>

#include <atomic>
#include <ostream>
#include <thread>

#include "ThreadTestSupport.h"
#include "update/thread/kuSyncEvent.h"
#include "update/thread/kuThread.h"

namespace tessaro {
namespace {

using test::PumpFor;
using test::PumpUntil;
using namespace std::chrono_literals;

TEST(kuThreadWait, WaitThreadWithoutLimitReturnsAfterTheCompletion) {
    TkuThread thread;
    thread.SetWaitThread(true);
    int terminated = 0;
    int timerTicks = 0;
    thread.SetOnExecute([](QObject*) { std::this_thread::sleep_for(20ms); });
    thread.SetOnTerminate([&](QObject*) { ++terminated; });
    // The interface stays alive while Execute waits.
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++timerTicks; });
    ticker.start(1ms);

    EXPECT_TRUE(thread.Execute());
    EXPECT_EQ(terminated, 1);
    EXPECT_FALSE(thread.Running());
    EXPECT_GT(timerTicks, 0);
}

struct TTimeoutCase {
    const char* name;
    bool withHandler;
    bool handlerKeepsTermination;
    bool expectedResult;
    bool workGoesOn;
};

void PrintTo(const TTimeoutCase& c, std::ostream* os) {
    *os << c.name;
}

class kuThreadWaitTimeout : public testing::TestWithParam<TTimeoutCase> {};

TEST_P(kuThreadWaitTimeout, ExpiryTerminatesUnlessTheHandlerObjects) {
    const TTimeoutCase& c = GetParam();
    TkuThread thread;
    thread.SetWaitThread(true);
    thread.SetWaitTimeout(20);
    std::atomic<bool> release = false;
    std::atomic<bool> sawTerminated = false;
    int terminated = 0;
    int expired = 0;
    thread.SetOnExecute([&](QObject*) {
        test::WorkUntilStopped(thread, release);
        sawTerminated = thread.Terminated();
    });
    thread.SetOnTerminate([&](QObject*) { ++terminated; });
    if (c.withHandler)
        thread.SetOnWaitTimeoutExpired([&](QObject* sender, bool& terminateThread) {
            EXPECT_EQ(sender, &thread);
            EXPECT_TRUE(terminateThread);
            ++expired;
            terminateThread = c.handlerKeepsTermination;
        });

    EXPECT_EQ(thread.Execute(), c.expectedResult);
    EXPECT_EQ(expired, c.withHandler ? 1 : 0);
    EXPECT_EQ(thread.Running(), c.workGoesOn);
    EXPECT_EQ(thread.Suspended(), !c.workGoesOn) << "a terminated run is replaced by a parked one";

    release = true;
    if (c.workGoesOn) {
        ASSERT_TRUE(PumpUntil([&] { return terminated == 1; }));
    }
    PumpFor(10ms);
    EXPECT_EQ(terminated, c.workGoesOn ? 1 : 0);
    EXPECT_EQ(sawTerminated.load(), !c.workGoesOn);
}

INSTANTIATE_TEST_SUITE_P(Cases, kuThreadWaitTimeout,
                         testing::Values(TTimeoutCase{"NoHandler", false, true, false, false},
                                         TTimeoutCase{"HandlerKeepsTermination", true, true, false,
                                                      false},
                                         TTimeoutCase{"HandlerLetsItRun", true, false, true, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(kuThreadWait, ExecuteAndWaitForEventEndsWhenTheWorkSignals) {
    TkuThread thread;
    std::uint32_t handle = 0;
    std::atomic<std::uint32_t> seen = 0;
    std::atomic<bool> release = false;
    thread.SetOnExecute([&](QObject*) {
        seen = handle;
        TkuSyncEvent::Set(seen);
        test::WorkUntilStopped(thread, release);
    });

    EXPECT_TRUE(thread.ExecuteAndWaitForEvent(handle, 0));
    EXPECT_EQ(handle, kuInvalidHandle);
    EXPECT_NE(seen.load(), 0u);
    EXPECT_NE(seen.load(), kuInvalidHandle);
    EXPECT_FALSE(TkuSyncEvent::Set(seen)) << "the event is closed after the wait";
    EXPECT_TRUE(thread.Running());
    release = true;
}

TEST(kuThreadWait, ExecuteAndWaitForEventFailsWhenTheWorkEndsWithoutSignal) {
    TkuThread thread;
    std::uint32_t handle = 0;
    int terminated = 0;
    thread.SetOnExecute([](QObject*) {});
    thread.SetOnTerminate([&](QObject*) { ++terminated; });
    // A poll period shorter than the work: expiry alone never ends the wait.
    EXPECT_FALSE(thread.ExecuteAndWaitForEvent(handle, 1));
    EXPECT_EQ(handle, kuInvalidHandle);
    EXPECT_EQ(terminated, 1);
}

TEST(kuThreadWait, ExecuteAndWaitForEventEndsWhenTheThreadIsTerminated) {
    TkuThread thread;
    std::uint32_t handle = 0;
    std::atomic<bool> started = false;
    std::atomic<bool> release = false;
    thread.SetOnExecute([&](QObject*) {
        started = true;
        test::WorkUntilStopped(thread, release);
    });
    QTimer::singleShot(5ms, [&] { thread.Terminate(true); });
    EXPECT_FALSE(thread.ExecuteAndWaitForEvent(handle, 0));
    EXPECT_EQ(handle, kuInvalidHandle);
    EXPECT_TRUE(thread.Suspended());
}

TEST(kuThreadWait, ExecuteAndWaitForEventOnARunningThreadChangesNothing) {
    TkuThread thread;
    std::atomic<bool> started = false;
    std::atomic<bool> release = false;
    std::atomic<int> executed = 0;
    thread.SetOnExecute([&](QObject*) {
        ++executed;
        started = true;
        test::WorkUntilStopped(thread, release);
    });
    thread.Execute();
    ASSERT_TRUE(PumpUntil([&] { return started.load(); }));

    std::uint32_t handle = 1234;
    EXPECT_FALSE(thread.ExecuteAndWaitForEvent(handle, 0));
    EXPECT_EQ(handle, 1234u);
    release = true;
    ASSERT_TRUE(PumpUntil([&] { return !thread.Running(); }));
    EXPECT_EQ(executed, 1);
}

TEST(kuThreadWait, WaitForEventNeedsARunningThread) {
    TkuThread thread;
    std::uint32_t handle = 1234;
    EXPECT_FALSE(thread.WaitForEvent(handle, 0));
    EXPECT_EQ(handle, 1234u);
}

TEST(kuThreadWait, WaitForEventWaitsForTheRunningWork) {
    TkuThread thread;
    std::uint32_t handle = 0;
    std::atomic<bool> started = false;
    std::atomic<bool> release = false;
    thread.SetOnExecute([&](QObject*) {
        started = true;
        // The handle is written by the waiting call; read it where it lives.
        std::uint32_t current = 0;
        while (current == 0 || current == kuInvalidHandle) {
            thread.Synchronize([&] { current = handle; });
            std::this_thread::sleep_for(1ms);
        }
        TkuSyncEvent::Set(current);
        test::WorkUntilStopped(thread, release);
    });
    thread.Execute();
    ASSERT_TRUE(PumpUntil([&] { return started.load(); }));

    EXPECT_TRUE(thread.WaitForEvent(handle, 0));
    EXPECT_EQ(handle, kuInvalidHandle);
    release = true;
}

TEST(kuThreadWait, WaitForFromAnotherThreadReturnsTheExitCode) {
    TkuThread thread;
    thread.SetOnExecute([&](QObject*) { thread.SetReturnValue(-7); });
    thread.Execute();
    std::atomic<std::int32_t> code = 0;
    std::thread waiter([&] { code = thread.WaitFor(); });
    waiter.join();
    EXPECT_EQ(code.load(), -7);
}

}  // namespace
}  // namespace tessaro
