#include <QPointer>
#include <QVariant>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <ostream>
#include <thread>

#include "ThreadTestSupport.h"
#include "update/thread/kuThread.h"

namespace tessaro {
namespace {

using test::OnMainThread;
using test::PumpFor;
using test::PumpUntil;
using namespace std::chrono_literals;

TEST(kuThreadLifecycle, NeverExecutedComponentIsDestroyedWithoutEvents) {
    std::atomic<int> executed = 0;
    int terminated = 0;
    auto owner = std::make_unique<QObject>();
    auto* thread = new TkuThread(owner.get());
    thread->SetOnExecute([&](QObject*) { ++executed; });
    thread->SetOnTerminate([&](QObject*) { ++terminated; });

    EXPECT_TRUE(thread->Suspended());
    EXPECT_FALSE(thread->Running());
    EXPECT_NE(thread->ThreadID(), 0u);
    EXPECT_NE(thread->ThreadID(), static_cast<std::uint32_t>(gettid()));
    owner.reset();

    PumpFor(5ms);
    EXPECT_EQ(executed, 0);
    EXPECT_EQ(terminated, 0);
}

TEST(kuThreadLifecycle, WorkRunsOnItsThreadAndTerminateOnTheInterfaceThread) {
    TkuThread thread;
    std::atomic<bool> workOnMain = true;
    QObject* workSender = nullptr;
    QObject* terminateSender = nullptr;
    bool terminateOnMain = false;
    int terminated = 0;
    thread.SetOnExecute([&](QObject* sender) {
        workSender = sender;
        workOnMain = OnMainThread();
        thread.SetReturnValue(42);
    });
    thread.SetOnTerminate([&](QObject* sender) {
        terminateSender = sender;
        terminateOnMain = OnMainThread();
        ++terminated;
    });

    ASSERT_TRUE(thread.Execute());
    // WaitFor services the completion call itself, without an event loop.
    EXPECT_EQ(thread.WaitFor(), 42);
    EXPECT_EQ(terminated, 1);
    EXPECT_FALSE(workOnMain);
    EXPECT_TRUE(terminateOnMain);
    EXPECT_EQ(workSender, &thread);
    EXPECT_EQ(terminateSender, &thread);
    EXPECT_FALSE(thread.Running());
}

TEST(kuThreadLifecycle, ExecuteOverARunningThreadAbandonsIt) {
    TkuThread thread;
    std::atomic<int> started = 0;
    std::atomic<bool> firstSawTerminated = false;
    std::atomic<bool> firstLeft = false;
    std::atomic<bool> release = false;
    int terminated = 0;
    thread.SetOnExecute([&](QObject*) {
        if (++started > 1) return;
        test::WorkUntilStopped(thread, release);
        firstSawTerminated = thread.Terminated();
        firstLeft = true;
    });
    thread.SetOnTerminate([&](QObject*) { ++terminated; });

    thread.Execute();
    ASSERT_TRUE(PumpUntil([&] { return started == 1; }));
    const std::uint32_t firstId = thread.ThreadID();
    thread.Execute();
    EXPECT_NE(thread.ThreadID(), firstId);

    ASSERT_TRUE(PumpUntil([&] { return firstLeft && terminated == 1 && !thread.Running(); }));
    PumpFor(10ms);
    EXPECT_EQ(started, 2);
    EXPECT_TRUE(firstSawTerminated);
    EXPECT_EQ(terminated, 1) << "the abandoned run must not raise OnTerminate";
}

TEST(kuThreadLifecycle, ForcedTerminationParksAFreshThreadAtOnce) {
    TkuThread thread;
    std::atomic<bool> started = false;
    std::atomic<bool> release = false;
    int terminated = 0;
    thread.SetOnExecute([&](QObject*) {
        started = true;
        test::WorkUntilStopped(thread, release);
    });
    thread.SetOnTerminate([&](QObject*) { ++terminated; });
    thread.Execute();
    ASSERT_TRUE(PumpUntil([&] { return started.load(); }));

    thread.Terminate(true);
    EXPECT_TRUE(thread.Suspended());
    EXPECT_FALSE(thread.Running());
    EXPECT_FALSE(thread.Terminated());
    EXPECT_TRUE(static_cast<bool>(thread.OnExecute())) << "the fresh thread keeps the events";
    PumpFor(10ms);
    EXPECT_EQ(terminated, 0);
}

TEST(kuThreadLifecycle, PoliteTerminationLetsTheWorkFinishWithItsEvent) {
    TkuThread thread;
    std::atomic<bool> started = false;
    std::atomic<bool> release = false;
    std::atomic<bool> sawTerminated = false;
    int terminated = 0;
    thread.SetOnExecute([&](QObject*) {
        started = true;
        test::WorkUntilStopped(thread, release);
        sawTerminated = thread.Terminated();
    });
    thread.SetOnTerminate([&](QObject*) { ++terminated; });
    thread.Execute();
    ASSERT_TRUE(PumpUntil([&] { return started.load(); }));

    thread.Terminate(false);
    ASSERT_TRUE(PumpUntil([&] { return terminated == 1; }));
    EXPECT_TRUE(sawTerminated);
}

TEST(kuThreadLifecycle, WorkThatTerminatesItselfStopsAtOnceWithoutEvents) {
    TkuThread thread;
    std::atomic<bool> afterTerminate = false;
    std::atomic<bool> caughtByWork = false;
    int terminated = 0;
    int exceptions = 0;
    thread.SetOnExecute([&](QObject*) {
        try {
            thread.Terminate(true);
            afterTerminate = true;
        } catch (const std::runtime_error&) {
            caughtByWork = true;
        }
    });
    thread.SetOnTerminate([&](QObject*) { ++terminated; });
    thread.SetOnException([&](QObject*) { ++exceptions; });

    thread.Execute();
    ASSERT_TRUE(PumpUntil([&] { return !thread.Running(); }));
    PumpFor(10ms);
    EXPECT_FALSE(afterTerminate);
    EXPECT_FALSE(caughtByWork);
    EXPECT_EQ(terminated, 0);
    EXPECT_EQ(exceptions, 0);
}

class kuThreadRestart : public testing::TestWithParam<bool> {};

TEST_P(kuThreadRestart, OnTerminateMayStartTheNextRun) {
    constexpr int kRuns = 5;
    TkuThread thread;
    thread.SetWaitThread(GetParam());
    std::atomic<int> executed = 0;
    int terminated = 0;
    thread.SetOnExecute([&](QObject*) { ++executed; });
    thread.SetOnTerminate([&](QObject*) {
        if (++terminated < kRuns) thread.Execute();
    });

    thread.Execute();
    ASSERT_TRUE(PumpUntil([&] { return terminated == kRuns; }));
    PumpFor(5ms);
    EXPECT_EQ(executed, kRuns);
    EXPECT_EQ(terminated, kRuns);
}

INSTANTIATE_TEST_SUITE_P(WithAndWithoutWaiting, kuThreadRestart, testing::Bool());

struct TFreeCase {
    const char* name;
    bool freeOnTerminate;
    bool withOnTerminate;
    bool ownerFreed;
};

void PrintTo(const TFreeCase& c, std::ostream* os) {
    *os << c.name;
}

class kuThreadFreeOnTerminate : public testing::TestWithParam<TFreeCase> {};

TEST_P(kuThreadFreeOnTerminate, FreesTheOwnerOnlyThroughTheCompletion) {
    const TFreeCase& c = GetParam();
    QPointer<QObject> owner = new QObject;
    auto* thread = new TkuThread(owner);
    std::atomic<bool> done = false;
    thread->SetFreeOnTerminate(c.freeOnTerminate);
    thread->SetOnExecute([&](QObject*) { done = true; });
    if (c.withOnTerminate) thread->SetOnTerminate([](QObject*) {});

    thread->Execute();
    ASSERT_TRUE(PumpUntil([&] { return owner.isNull() || (done && !thread->Running()); }));
    PumpFor(10ms);
    EXPECT_EQ(owner.isNull(), c.ownerFreed);
    delete owner.data();
}

INSTANTIATE_TEST_SUITE_P(Cases, kuThreadFreeOnTerminate,
                         testing::Values(TFreeCase{"FreedAfterCompletion", true, true, true},
                                         TFreeCase{"NoCompletionNoFree", true, false, false},
                                         TFreeCase{"FlagClear", false, true, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(kuThreadLifecycle, DestroyingWhileTheWorkerBlocksInSynchronizeDoesNotDeadlock) {
    auto thread = std::make_unique<TkuThread>();
    std::atomic<bool> calling = false;
    std::atomic<bool> left = false;
    std::atomic<bool> destroyed = false;
    std::atomic<int> callsAfterDestruction = 0;
    thread->SetOnExecute([&, component = thread.get()](QObject*) {
        while (!component->Terminated()) {
            calling = true;
            component->Synchronize([&] {
                if (destroyed) ++callsAfterDestruction;
            });
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

TEST(kuThreadLifecycle, DestructionWaitsForAbandonedWorkToLeave) {
    auto thread = std::make_unique<TkuThread>();
    std::atomic<int> started = 0;
    std::atomic<int> left = 0;
    std::atomic<bool> release = false;
    thread->SetOnExecute([&, component = thread.get()](QObject*) {
        ++started;
        test::WorkUntilStopped(*component, release);
        std::this_thread::sleep_for(5ms);  // a last step after the check
        ++left;
    });
    thread->Execute();
    ASSERT_TRUE(PumpUntil([&] { return started == 1; }));
    thread->Execute();
    ASSERT_TRUE(PumpUntil([&] { return started == 2; }));

    thread.reset();
    EXPECT_EQ(left, 2) << "no worker may outlive the component it could still reach";
}

TEST(kuThreadLifecycle, OwnerFreedInsideTheCompletionLeavesTheWorkerToEnd) {
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

TEST(kuThreadLifecycle, SuspendCountsAndSuspendedPropertyStartTheParkedThread) {
    TkuThread thread;
    std::atomic<int> executed = 0;
    thread.SetOnExecute([&](QObject*) { ++executed; });

    thread.Suspend();  // count 2
    thread.Resume();   // count 1: still parked
    PumpFor(5ms);
    EXPECT_TRUE(thread.Suspended());
    EXPECT_EQ(executed, 0);

    thread.setProperty("Suspended", QVariant(false));
    ASSERT_TRUE(PumpUntil([&] { return executed == 1; }));
    EXPECT_FALSE(thread.Suspended());
}

}  // namespace
}  // namespace tessaro
