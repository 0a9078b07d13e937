#include <gtest/gtest.h>

#include <atomic>
#include <ostream>
#include <stdexcept>
#include <string>

#include "ThreadTestSupport.h"
#include "update/thread/kuThread.h"

namespace tessaro {
namespace {

using test::PumpUntil;

enum class TSite { Work, Completion, SynchronizedCall };

struct TExceptionCase {
    const char* name;
    TSite site;
    bool handleExceptions;
    int expectedOnException;
    bool expectedWorkCaught;  // the work saw the exception of its synchronised call
    bool expectedFatal;       // kept as the run's fatal exception instead of ending the process
};

void PrintTo(const TExceptionCase& c, std::ostream* os) {
    *os << c.name;
}

class kuThreadExceptions : public testing::TestWithParam<TExceptionCase> {};

TEST_P(kuThreadExceptions, AreRoutedAsHandleExceptionsSays) {
    const TExceptionCase& c = GetParam();
    TkuThread thread;
    thread.SetHandleExceptions(c.handleExceptions);
    std::atomic<bool> workCaught = false;
    int onException = 0;
    int terminated = 0;
    bool onExceptionOnMain = false;
    thread.SetOnExecute([&](QObject*) {
        if (c.site == TSite::Work) throw std::runtime_error("work failed");
        if (c.site != TSite::SynchronizedCall) return;
        try {
            thread.Synchronize([] { throw std::runtime_error("call failed"); });
        } catch (const std::runtime_error& e) {
            workCaught = std::string(e.what()) == "call failed";
        }
    });
    thread.SetOnTerminate([&](QObject*) {
        ++terminated;
        if (c.site == TSite::Completion) throw std::runtime_error("completion failed");
    });
    thread.SetOnException([&](QObject*) {
        ++onException;
        onExceptionOnMain = test::OnMainThread();
    });

    thread.Execute();
    ASSERT_TRUE(PumpUntil([&] { return terminated == 1 && !thread.Running(); }));
    EXPECT_EQ(onException, c.expectedOnException);
    if (onException > 0) {
        EXPECT_TRUE(onExceptionOnMain);
    }
    EXPECT_EQ(workCaught.load(), c.expectedWorkCaught);
    const std::exception_ptr fatal = thread.FatalException();
    ASSERT_EQ(fatal != nullptr, c.expectedFatal);
    if (fatal) {
        EXPECT_THROW(std::rethrow_exception(fatal), std::runtime_error);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, kuThreadExceptions,
    testing::Values(TExceptionCase{"WorkHandled", TSite::Work, true, 1, false, false},
                    TExceptionCase{"WorkUnhandled", TSite::Work, false, 0, false, true},
                    TExceptionCase{"CompletionHandled", TSite::Completion, true, 1, false, false},
                    TExceptionCase{"CompletionUnhandled", TSite::Completion, false, 0, false, true},
                    TExceptionCase{"CallHandled", TSite::SynchronizedCall, true, 0, false, false},
                    TExceptionCase{"CallUnhandled", TSite::SynchronizedCall, false, 0, true,
                                   false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(kuThreadExceptionsDirect, CallOnTheInterfaceThreadRaisesOnlyWhenUnhandled) {
    TkuThread thread;
    const auto failing = [] { throw std::runtime_error("direct call failed"); };
    EXPECT_NO_THROW(thread.Synchronize(failing));
    thread.SetHandleExceptions(false);
    EXPECT_THROW(thread.Synchronize(failing), std::runtime_error);
}

TEST(kuThreadExceptionsDirect, ExceptionWithoutOnExceptionIsDropped) {
    TkuThread thread;
    int terminated = 0;
    thread.SetOnExecute([](QObject*) { throw std::logic_error("dropped"); });
    thread.SetOnTerminate([&](QObject*) { ++terminated; });
    thread.Execute();
    ASSERT_TRUE(PumpUntil([&] { return terminated == 1 && !thread.Running(); }));
    EXPECT_EQ(thread.FatalException(), nullptr);
}

}  // namespace
}  // namespace tessaro
