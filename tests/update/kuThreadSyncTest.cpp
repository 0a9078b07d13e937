#include <sched.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QPointer>

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <ostream>
#include <string>

#include "ThreadTestSupport.h"
#include "update/thread/kuThread.h"
#include "update/thread/kuThreadPriority.h"
#include "update/thread/kuThreadWindow.h"

namespace tessaro {
namespace {

using test::OnMainThread;
using test::PumpUntil;

TEST(kuThreadSync, WorkerBlocksUntilTheCallHasRunOnTheInterfaceThread) {
    TkuThread thread;
    int valueSetOnMain = 0;
    bool callOnMain = false;
    std::atomic<int> seenByWorker = 0;
    std::atomic<bool> done = false;
    thread.SetOnExecute([&](QObject*) {
        for (int i = 1; i <= 20; ++i) {
            thread.Synchronize([&, i] {
                callOnMain = OnMainThread();
                valueSetOnMain = i;
            });
            // Written on the interface thread, visible here because the call blocked.
            if (valueSetOnMain != i) return;
            seenByWorker = i;
        }
        done = true;
    });
    thread.Execute();
    ASSERT_TRUE(PumpUntil([&] { return done.load(); }));
    EXPECT_EQ(seenByWorker, 20);
    EXPECT_TRUE(callOnMain);
}

TEST(kuThreadSync, CallFromTheInterfaceThreadRunsDirectly) {
    TkuThread thread;
    bool ran = false;
    thread.Synchronize([&] { ran = OnMainThread(); });
    EXPECT_TRUE(ran);
}

TEST(kuThreadSync, SynchronizeExPassesItsDataAndIgnoresAnEmptyMethod) {
    TkuThread thread;
    std::string received;
    std::atomic<bool> done = false;
    thread.SetOnExecute([&](QObject*) {
        std::string payload = "payload";
        thread.SynchronizeEx([&](void* data) { received = *static_cast<std::string*>(data); },
                             &payload);
        thread.SynchronizeEx(nullptr, &payload);
        done = true;
    });
    thread.Execute();
    ASSERT_TRUE(PumpUntil([&] { return done.load(); }));
    EXPECT_EQ(received, "payload");
}

TEST(kuThreadSync, CallsFromManyComponentsAllArrive) {
    constexpr int kThreads = 4;
    constexpr int kCalls = 50;
    std::vector<std::unique_ptr<TkuThread>> threads;
    int arrived = 0;
    std::atomic<int> finished = 0;
    for (int t = 0; t < kThreads; ++t) {
        auto& thread = threads.emplace_back(std::make_unique<TkuThread>());
        thread->SetOnExecute([&, component = thread.get()](QObject*) {
            for (int i = 0; i < kCalls; ++i) component->Synchronize([&] { ++arrived; });
            ++finished;
        });
    }
    for (auto& thread : threads) thread->Execute();
    ASSERT_TRUE(PumpUntil([&] { return finished == kThreads; }));
    EXPECT_EQ(arrived, kThreads * kCalls);
}

TEST(kuThreadSync, OneWindowServesAllComponentsWhileReferenced) {
    TkuThread first;
    const QPointer<TkuThreadWindow> window = TkuThreadWindow::Acquire();
    TkuThreadWindow::Release();
    ASSERT_FALSE(window.isNull()) << "the component holds a reference";
    TkuThread second;
    EXPECT_EQ(TkuThreadWindow::Acquire(), window.data());
    TkuThreadWindow::Release();
    EXPECT_TRUE(window->IsUiThread());
}

struct TPriorityCase {
    const char* name;
    TThreadPriority priority;
    int expectedPolicy;
};

void PrintTo(const TPriorityCase& c, std::ostream* os) {
    *os << c.name;
}

class kuThreadPriorityTest : public testing::TestWithParam<TPriorityCase> {};

TEST_P(kuThreadPriorityTest, LoweringIsAppliedToTheWorker) {
    const TPriorityCase& c = GetParam();
    TkuThread thread;
    thread.SetPriority(c.priority);
    std::atomic<int> nice = 0;
    std::atomic<int> policy = -1;
    std::atomic<bool> done = false;
    thread.SetOnExecute([&](QObject*) {
        nice = CallingThreadNice();
        policy = sched_getscheduler(0);
        done = true;
    });
    const int baseNice = CallingThreadNice();
    thread.Execute();
    ASSERT_TRUE(PumpUntil([&] { return done.load(); }));
    EXPECT_EQ(thread.Priority(), c.priority);
    EXPECT_EQ(nice.load(), std::min(19, baseNice + NiceOffsetOf(c.priority)));
    EXPECT_EQ(policy.load(), c.expectedPolicy);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, kuThreadPriorityTest,
    testing::Values(TPriorityCase{"Idle", TThreadPriority::tpIdle, SCHED_IDLE},
                    TPriorityCase{"Lowest", TThreadPriority::tpLowest, SCHED_OTHER},
                    TPriorityCase{"Lower", TThreadPriority::tpLower, SCHED_OTHER},
                    TPriorityCase{"Normal", TThreadPriority::tpNormal, SCHED_OTHER}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(kuThreadPriority, RaisingIsRecordedEvenWhereTheKernelRefuses) {
    TkuThread thread;
    thread.SetPriority(TThreadPriority::tpTimeCritical);
    EXPECT_EQ(thread.Priority(), TThreadPriority::tpTimeCritical);
    thread.SetOnExecute([](QObject*) {});
    thread.Execute();
    EXPECT_EQ(thread.Priority(), TThreadPriority::tpTimeCritical) << "a fresh thread keeps it";
}

}  // namespace
}  // namespace tessaro
