#include "update/thread/kuThread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <string>

#include "ThreadTestSupport.h"

namespace tessaro {
namespace {

using test::PumpUntil;

TEST(kuThreadSync, WorkersBlockUntilTheirCallsHaveRunOnTheInterfaceThread) {
    constexpr int kThreads = 4, kCalls = 50;
    std::vector<std::unique_ptr<TkuThread>> threads;
    int arrived = 0, onMain = 0;
    std::atomic<int> finished = 0;
    std::string received;
    for (int t = 0; t < kThreads; ++t) {
        auto& thread = threads.emplace_back(std::make_unique<TkuThread>());
        thread->SetOnExecute([&, t, component = thread.get()](QObject*) {
            for (int i = 1; i <= kCalls; ++i) {
                int value = 0;
                component->Synchronize([&] {
                    onMain += test::OnMainThread() ? 1 : 0;
                    value = ++arrived;
                });
                if (value == 0) return;  // written on the interface thread: the call blocked
            }
            std::string payload = "payload" + std::to_string(t);
            component->SynchronizeEx(
                [&](void* data) { received += *static_cast<std::string*>(data); }, &payload);
            component->SynchronizeEx(nullptr, &payload);
            ++finished;
        });
    }
    for (auto& thread : threads) thread->Execute();
    ASSERT_TRUE(PumpUntil([&] { return finished == kThreads; }));
    EXPECT_EQ(arrived + onMain, 2 * kThreads * kCalls);
    EXPECT_EQ(received.size(), kThreads * std::string("payload0").size());
}

enum class TSite { Work, Completion, SynchronizedCall };

TEST(kuThreadExceptions, AreRoutedAsHandleExceptionsSays) {
    struct Row {
        TSite site;
        bool handleExceptions, withOnException;
        int expectedOnException;
        bool expectedWorkCaught;  // the work saw the exception of its synchronised call
        bool expectedFatal;       // kept as the run's fatal exception
    };
    const Row rows[] = {{TSite::Work, true, true, 1, false, false},
                        {TSite::Work, false, true, 0, false, true},
                        {TSite::Work, true, false, 0, false, false},  // dropped
                        {TSite::Completion, true, true, 1, false, false},
                        {TSite::Completion, false, true, 0, false, true},
                        {TSite::SynchronizedCall, true, true, 0, false, false},
                        {TSite::SynchronizedCall, false, true, 0, true, false}};
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message()
                     << static_cast<int>(row.site) << row.handleExceptions << row.withOnException);
        TkuThread thread;
        thread.SetHandleExceptions(row.handleExceptions);
        std::atomic<bool> workCaught = false;
        int onException = 0;
        int terminated = 0;
        thread.SetOnExecute([&](QObject*) {
            if (row.site == TSite::Work) throw std::runtime_error("work failed");
            if (row.site != TSite::SynchronizedCall) return;
            try {
                thread.Synchronize([] { throw std::runtime_error("call failed"); });
            } catch (const std::runtime_error& e) {
                workCaught = std::string(e.what()) == "call failed";
            }
        });
        thread.SetOnTerminate([&](QObject*) {
            ++terminated;
            if (row.site == TSite::Completion) throw std::runtime_error("completion failed");
        });
        if (row.withOnException)
            thread.SetOnException([&](QObject*) { onException += test::OnMainThread() ? 1 : 100; });
        thread.Execute();
        ASSERT_TRUE(PumpUntil([&] { return terminated == 1 && !thread.Running(); }));
        EXPECT_EQ(onException, row.expectedOnException);
        EXPECT_EQ(workCaught.load(), row.expectedWorkCaught);
        const std::exception_ptr fatal = thread.FatalException();
        ASSERT_EQ(fatal != nullptr, row.expectedFatal);
        if (fatal) {
            EXPECT_THROW(std::rethrow_exception(fatal), std::runtime_error);
        }
    }
}

TEST(kuThreadExceptions, ACallOnTheInterfaceThreadRunsDirectlyAndRaisesOnlyWhenUnhandled) {
    TkuThread thread;
    bool ran = false;
    thread.Synchronize([&] { ran = test::OnMainThread(); });
    EXPECT_TRUE(ran);
    const auto failing = [] { throw std::runtime_error("direct call failed"); };
    EXPECT_NO_THROW(thread.Synchronize(failing));
    thread.SetHandleExceptions(false);
    EXPECT_THROW(thread.Synchronize(failing), std::runtime_error);
}

}  // namespace
}  // namespace tessaro
