#include <QTimer>

#include <gtest/gtest.h>

#include <thread>

#include "ThreadTestSupport.h"
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

}  // namespace
}  // namespace tessaro
