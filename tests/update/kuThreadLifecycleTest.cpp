#include <QPointer>

#include <gtest/gtest.h>

#include "ThreadTestSupport.h"

namespace tessaro {
namespace {

using test::BlockingThread;
using test::OnMainThread;
using test::PumpFor;
using test::PumpUntil;
using namespace std::chrono_literals;

TEST(kuThreadLifecycle, NeverExecutedComponentIsDestroyedWithoutEvents) {
    int events = 0;
    auto owner = std::make_unique<QObject>();
    auto* thread = new TkuThread(owner.get());
    thread->SetOnExecute([&](QObject*) { ++events; });
    thread->SetOnTerminate([&](QObject*) { ++events; });
    EXPECT_TRUE(thread->Suspended() && !thread->Running());
    owner.reset();
    PumpFor(5ms);
    EXPECT_EQ(events, 0);
}

TEST(kuThreadLifecycle, WorkRunsOnItsThreadAndTerminateOnTheInterfaceThread) {
    TkuThread thread;
    std::atomic<QObject*> workSender = nullptr;
    QObject* terminateSender = nullptr;
    thread.SetOnExecute([&](QObject* sender) {
        workSender = OnMainThread() ? nullptr : sender;
        thread.SetReturnValue(42);
    });
    thread.SetOnTerminate(
        [&](QObject* sender) { terminateSender = OnMainThread() ? sender : nullptr; });
    ASSERT_TRUE(thread.Execute());
    EXPECT_EQ(thread.WaitFor(), 42);  // services the completion call without an event loop
    EXPECT_EQ(workSender, &thread);
    EXPECT_EQ(terminateSender, &thread);
}

TEST(kuThreadLifecycle, ExecuteOverARunningThreadAbandonsItWithoutItsCompletion) {
    BlockingThread work;
    work.thread.Execute();
    ASSERT_TRUE(work.AwaitStarts(1));
    const std::uint32_t firstId = work.thread.ThreadID();
    work.thread.Execute();
    EXPECT_NE(work.thread.ThreadID(), firstId);
    ASSERT_TRUE(PumpUntil([&] { return work.left == 1 && work.started == 2; }));
    EXPECT_TRUE(work.sawTerminated);
    work.release = true;
    ASSERT_TRUE(PumpUntil([&] { return work.terminated == 1 && !work.thread.Running(); }));
    PumpFor(10ms);
    EXPECT_EQ(work.terminated, 1) << "the abandoned run must not raise OnTerminate";
}

TEST(kuThreadLifecycle, DestructionWaitsForAbandonedWorkToLeave) {
    BlockingThread work;
    for (int run = 1; run <= 2; ++run) {
        work.thread.Execute();
        ASSERT_TRUE(work.AwaitStarts(run));
    }
    work.owned.reset();
    EXPECT_EQ(work.left, 2) << "no worker may outlive the component it could still reach";
}

TEST(kuThreadLifecycle, PoliteTerminationEndsTheWorkForcedParksAFreshThread) {
    BlockingThread work;
    work.thread.Execute();
    ASSERT_TRUE(work.AwaitStarts(1));
    work.thread.Terminate(false);
    ASSERT_TRUE(PumpUntil([&] { return work.terminated == 1; }));
    EXPECT_TRUE(work.sawTerminated);
    work.thread.Execute();
    ASSERT_TRUE(work.AwaitStarts(2));
    work.thread.Terminate(true);
    EXPECT_TRUE(work.thread.Suspended() && !work.thread.Running() && !work.thread.Terminated());
    EXPECT_TRUE(static_cast<bool>(work.thread.OnExecute())) << "the fresh thread keeps the events";
    PumpFor(10ms);
    EXPECT_EQ(work.terminated, 1);
}

TEST(kuThreadLifecycle, WorkThatTerminatesItselfStopsAtOnceWithoutEvents) {
    TkuThread thread;
    std::atomic<bool> goneOn = false;
    int events = 0;
    thread.SetOnExecute([&](QObject*) {
        try {
            thread.Terminate(true);
        } catch (const std::runtime_error&) {
        }
        goneOn = true;
    });
    thread.SetOnTerminate([&](QObject*) { ++events; });
    thread.SetOnException([&](QObject*) { ++events; });
    thread.Execute();
    ASSERT_TRUE(PumpUntil([&] { return !thread.Running(); }));
    PumpFor(10ms);
    EXPECT_FALSE(goneOn);
    EXPECT_EQ(events, 0);
}

TEST(kuThreadLifecycle, OnTerminateMayStartTheNextRunWithAndWithoutWaiting) {
    for (const bool waitThread : {false, true}) {
        TkuThread thread;
        thread.SetWaitThread(waitThread);
        std::atomic<int> executed = 0;
        int terminated = 0;
        thread.SetOnExecute([&](QObject*) { ++executed; });
        thread.SetOnTerminate([&](QObject*) {
            if (++terminated < 5) thread.Execute();
        });
        thread.Execute();
        ASSERT_TRUE(PumpUntil([&] { return terminated == 5; }));
        PumpFor(5ms);
        EXPECT_EQ(executed + terminated, 10) << waitThread;
    }
}

TEST(kuThreadLifecycle, DestroyingWhileTheWorkerBlocksInSynchronizeDoesNotDeadlock) {
    auto thread = std::make_unique<TkuThread>();
    std::atomic<bool> calling = false, destroyed = false;
    std::atomic<int> callsAfterDestruction = 0;
    thread->SetOnExecute([&, component = thread.get()](QObject*) {
        while (!component->Terminated()) {
            calling = true;
            component->Synchronize([&] { callsAfterDestruction += destroyed ? 1 : 0; });
        }
    });
    thread->SetOnTerminate([&](QObject*) { ++callsAfterDestruction; });
    thread->Execute();
    // No event loop runs here: the worker's call stays pending while we destroy.
    while (!calling) std::this_thread::yield();
    std::this_thread::sleep_for(2ms);
    thread.reset();
    destroyed = true;
    PumpFor(10ms);
    EXPECT_EQ(callsAfterDestruction, 0);
}

TEST(kuThreadLifecycle, OwnerFreedInsideACallLeavesTheWorkerToEnd) {
    QPointer<QObject> owner = new QObject;
    auto* thread = new TkuThread(owner);
    std::atomic<bool> afterCall = false;
    thread->SetOnExecute([&, thread](QObject*) {
        thread->Synchronize([&] { delete owner.data(); });
        afterCall = true;
    });
    thread->Execute();
    ASSERT_TRUE(PumpUntil([&] { return owner.isNull(); }));
    PumpFor(10ms);
    EXPECT_FALSE(afterCall) << "the worker must not return into work whose component is gone";
}

}  // namespace
}  // namespace tessaro
