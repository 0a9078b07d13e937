#include <QTimer>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "ThreadTestSupport.h"
#include "update/thread/kuSyncEvent.h"
#include "update/thread/kuThread.h"

namespace tessaro {
namespace {

using test::BlockingThread;
using test::PumpFor;
using test::PumpUntil;
using namespace std::chrono_literals;

TEST(kuThreadWait, WaitThreadWithoutLimitReturnsAfterTheCompletionKeepingTheInterfaceAlive) {
    TkuThread thread;
    thread.SetWaitThread(true);
    int terminated = 0, ticks = 0;
    thread.SetOnExecute([](QObject*) { std::this_thread::sleep_for(20ms); });
    thread.SetOnTerminate([&](QObject*) { ++terminated; });
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
    ticker.start(1ms);
    EXPECT_TRUE(thread.Execute());
    EXPECT_EQ(terminated, 1);
    EXPECT_FALSE(thread.Running());
    EXPECT_GT(ticks, 0);
}

TEST(kuThreadWait, TimeoutTerminatesTheRunUnlessTheHandlerObjects) {
    struct Row {
        bool withHandler, handlerKeepsTermination, workGoesOn;
    };
    for (const Row& row :
         {Row{false, true, false}, Row{true, true, false}, Row{true, false, true}}) {
        SCOPED_TRACE(testing::Message() << row.withHandler << row.handlerKeepsTermination);
        BlockingThread work;
        work.thread.SetWaitThread(true);
        work.thread.SetWaitTimeout(20);
        int expired = 0;
        if (row.withHandler)
            work.thread.SetOnWaitTimeoutExpired([&](QObject* sender, bool& terminateThread) {
                EXPECT_EQ(sender, &work.thread);
                EXPECT_TRUE(terminateThread);
                ++expired;
                terminateThread = row.handlerKeepsTermination;
            });
        EXPECT_EQ(work.thread.Execute(), row.workGoesOn);
        EXPECT_EQ(expired, row.withHandler ? 1 : 0);
        EXPECT_EQ(work.thread.Running(), row.workGoesOn);
        EXPECT_EQ(work.thread.Suspended(), !row.workGoesOn) << "a killed run leaves a parked one";
        work.release = true;
        ASSERT_TRUE(PumpUntil([&] { return work.left == 1; }));
        PumpFor(10ms);
        EXPECT_EQ(work.terminated, row.workGoesOn ? 1 : 0);
        EXPECT_EQ(work.sawTerminated.load(), !row.workGoesOn);
    }
}

TEST(kuThreadWait, EventWaitsEndWithTheSignalClosingTheEventAndNeedTheRightRunState) {
    BlockingThread work;
    std::uint32_t handle = 1234;
    EXPECT_FALSE(work.thread.WaitForEvent(handle, 0));
    std::atomic<std::uint32_t> signalled = 0;
    work.thread.SetOnExecute([&](QObject*) {
        while (!work.thread.Terminated() && !work.release) {
            std::uint32_t current = 0;
            // The handle is written by the waiting call; read it where it lives.
            work.thread.Synchronize([&] { current = handle; });
            if (current != 0 && current != kuInvalidHandle && current != signalled)
                TkuSyncEvent::Set(signalled = current);
            std::this_thread::sleep_for(1ms);
        }
    });
    handle = 0;
    EXPECT_TRUE(work.thread.ExecuteAndWaitForEvent(handle, 0));
    EXPECT_EQ(handle, kuInvalidHandle);
    EXPECT_FALSE(TkuSyncEvent::Set(signalled) || TkuSyncEvent::Find(signalled)) << "closed";
    EXPECT_TRUE(work.thread.Running());
    handle = 1234;
    EXPECT_FALSE(work.thread.ExecuteAndWaitForEvent(handle, 0)) << "the thread runs already";
    EXPECT_EQ(handle, 1234u);
    handle = 0;
    EXPECT_TRUE(work.thread.WaitForEvent(handle, 0));
    EXPECT_EQ(handle, kuInvalidHandle);
    work.release = true;
}

TEST(kuThreadWait, ExecuteAndWaitForEventFailsWhenTheWorkEndsOrIsKilledWithoutSignal) {
    BlockingThread quick;
    quick.release = true;
    std::uint32_t handle = 0;
    // A poll period shorter than the work: expiry alone never ends the wait.
    EXPECT_FALSE(quick.thread.ExecuteAndWaitForEvent(handle, 1));
    EXPECT_EQ(handle, kuInvalidHandle);
    EXPECT_EQ(quick.terminated, 1);

    BlockingThread work;
    handle = 0;
    QTimer::singleShot(5ms, [&] { work.thread.Terminate(true); });
    EXPECT_FALSE(work.thread.ExecuteAndWaitForEvent(handle, 0));
    EXPECT_EQ(handle, kuInvalidHandle);
    EXPECT_TRUE(work.thread.Suspended());
}

TEST(kuThreadWait, WaitForFromAnotherThreadReturnsTheExitCode) {
    TkuThread thread;
    thread.SetOnExecute([&](QObject*) { thread.SetReturnValue(-7); });
    thread.Execute();
    std::int32_t code = 0;
    std::thread([&] { code = thread.WaitFor(); }).join();
    EXPECT_EQ(code, -7);
}

}  // namespace
}  // namespace tessaro
