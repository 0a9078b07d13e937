#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>

#include "RenovatorEngineFixture.h"

namespace tessaro::test {
namespace {

using ::testing::HasSubstr;
using enum TkuRenovatorShowMessage;
using std::chrono::steady_clock;

const std::string kLost = "Error(Connection with remote server lost.";
const std::string kUnreachable = "Error(Host http://127.0.0.1 unreachable.";
const std::string kTooLarge = "is larger than an update may be and was not downloaded.";

// A server that misbehaves in each of these ways, for the info file or a listed file.
struct MisbehaviourCase {
    std::string query;  // appended to the loopback server's /data/, without "=" or "?"
    std::string event;  // the engine's event
    std::string box;    // what the user is told
};

// clang-format off
const MisbehaviourCase kMisbehaviours[] = {
    {"100000/stall:100", "ConnLost", kLost},
    {"100/hang:1", "Unreachable", kUnreachable},
    {"100000/trickle:100", "ConnLost", kLost},
    {"1000/length:4294967295", "Aborted", kTooLarge},
    {"1/endless:1", "Aborted", kTooLarge},
    {"100000/chunked:1/drop:5000", "ConnLost", kLost},
    {"100000/drop:5000", "ConnLost", kLost},
};
// clang-format on

class RenovatorBoundsTest : public TRenovatorEngineTest {
protected:
    void SetUp() override {
        TRenovatorEngineTest::SetUp();
        TkuUpdateBounds bounds = TkuUpdateBounds::Defaults();
        bounds.StallMs = 500;
        bounds.LeastRate = 1000;
        bounds.CheckMs = 1500;
        bounds.FileCap = 1024 * 1024;
        engine.SetBounds(bounds);
        engine.SetShowMessages({mConnLost, mHostUnreachable, mLostFile, mNoInfoFile});
    }
    // The first log entry that starts with the text, or "" when none does.
    std::string Entry(const std::string& start) const {
        for (const std::string& entry : log)
            if (entry.starts_with(start)) return entry;
        return {};
    }
};

TEST_F(RenovatorBoundsTest, ACheckAgainstAMisbehavingServerEndsInTimeAsAFailure) {
    for (const MisbehaviourCase& row : kMisbehaviours) {
        SCOPED_TRACE(row.query);
        log.clear();
        engine.SetInfoFileURL(loopback->Url("/data/" + row.query));
        // The button works again after each failure.
        ASSERT_TRUE(PumpUntil([&] { return !engine.ThreadBusy(); }));
        const auto start = steady_clock::now();
        EXPECT_FALSE(CheckUpdateWaiting());
        EXPECT_LT(steady_clock::now() - start, 2500ms);
        EXPECT_NE(Entry(row.event), "") << Log();
        EXPECT_THAT(Log(), HasSubstr(row.box));
        EXPECT_EQ(Entry("NoUpdate"), "");
    }
}

TEST_F(RenovatorBoundsTest, AListedFileFromAMisbehavingServerEndsTheDownloadInTime) {
    const std::string name = UniqueAppName("bounded.bin");
    for (const MisbehaviourCase& row : kMisbehaviours) {
        SCOPED_TRACE(row.query);
        log.clear();
        PublishInfo(
            {"#version=1.2.1.3", "#url=" + loopback->Url("/data/" + row.query) + "=" + name});
        ASSERT_TRUE(PumpUntil([&] { return !engine.ThreadBusy(); }));
        const auto start = steady_clock::now();
        engine.CheckUpdate(false);
        ASSERT_TRUE(PumpUntil([&] { return !Entry(row.event).empty(); })) << Log();
        PumpFor(100ms);
        EXPECT_LT(steady_clock::now() - start, 3000ms);
        EXPECT_THAT(Log(), HasSubstr(row.box));
        EXPECT_EQ(Entry("End"), "");
        // A download over a limit leaves nothing behind.
        if (row.event == "Aborted") {
            EXPECT_FALSE(QFile::exists(QString::fromStdString(AppFile(name) + ".uTMP")));
        }
        engine.Abort(false);
    }
}

TEST_F(RenovatorBoundsTest, ACheckEndsAtItsDeadlineHoweverSteadyTheTrickle) {
    TkuUpdateBounds bounds = engine.Bounds();
    bounds.LeastRate = 10;
    engine.SetBounds(bounds);
    engine.SetInfoFileURL(loopback->Url("/data/100000/trickle:10"));
    const auto start = steady_clock::now();
    EXPECT_FALSE(CheckUpdateWaiting());
    EXPECT_GE(steady_clock::now() - start, 1400ms);
    EXPECT_LT(steady_clock::now() - start, 2500ms);
    EXPECT_EQ(engine.LastFailure(), TkuHTTPFailure::TimedOut);
    EXPECT_THAT(Log(), HasSubstr(kLost));
}

TEST_F(RenovatorBoundsTest, AnInfoFileOverItsCapFailsTheCheck) {
    TkuUpdateBounds bounds = engine.Bounds();
    bounds.InfoFileCap = 1000;
    engine.SetBounds(bounds);
    engine.SetInfoFileURL(loopback->Url("/data/1001"));
    EXPECT_FALSE(CheckUpdateWaiting());
    EXPECT_THAT(Log(), HasSubstr("Error(1001 " + kTooLarge));
    engine.SetInfoFileURL(loopback->Url("/data/1000"));
    log.clear();
    EXPECT_FALSE(CheckUpdateWaiting());
    EXPECT_THAT(Log(), ::testing::Not(HasSubstr(kTooLarge)));
}

// What users get unless the environment says otherwise.
TEST(RenovatorBoundsDefaults, AreThoseOfARealNetwork) {
    const TkuUpdateBounds bounds = TkuUpdateBounds::Defaults();
    EXPECT_EQ(bounds.StallMs, 30000u);
    EXPECT_LE(bounds.CheckMs, 60000u);
    EXPECT_EQ(bounds.InfoFileCap, 1024u * 1024u);
    EXPECT_EQ(bounds.SignatureCap, 4096u);
    EXPECT_EQ(bounds.FileCap, std::uint64_t{1} << 30);
    TkuRenovator engine;
    EXPECT_EQ(engine.Timeouts().ReceiveTimeout, bounds.StallMs);
    EXPECT_NE(engine.Timeouts().ConnectTimeout, 0u);
    EXPECT_EQ(engine.FreeSpaceMargin(), bounds.FreeSpaceMargin);
}

}  // namespace
}  // namespace tessaro::test
