#include <gtest/gtest.h>

#include "RenovatorEngineFixture.h"

namespace tessaro::test {
namespace {

using Messages = TkuRenovatorShowMessages;
using enum TkuRenovatorShowMessage;

using RenovatorQueryTest = TRenovatorEngineTest;

TEST_F(RenovatorQueryTest, ReleaseThatIsNotNewerIsReportedOnlyWhenAsked) {
    Serve("a.bin", 100);
    const std::string entry = "#url=" + Url("rel/a.bin") + "=" + Dest("a.bin");
    const std::string box =
        "Information(Newer version not found. You actually are\nusing most recent version of "
        "this program.)\n";
    struct Case {
        const char* name;
        TkuRenovatorVersionControl control;
        std::string key;
        bool report;
        std::string expected;
    };
    // clang-format off
    const Case cases[] = {
        {"same number", TkuRenovatorVersionControl::byNumber, "#version=1.2.1.2", true, "NoUpdate\n" + box},
        {"older date", TkuRenovatorVersionControl::byDate, "#date=11/17/2009", true, "NoUpdate\n" + box},
        {"not reported", TkuRenovatorVersionControl::byNumber, "#version=1.2.1.2", false, "NoUpdate\n"},
    };
    // clang-format on
    engine.SetVersionDate("11/18/2009");
    for (const Case& row : cases) {
        SCOPED_TRACE(row.name);
        log.clear();
        engine.SetVersionControl(row.control);
        engine.SetShowMessages(row.report ? Messages{mAskUpgrade, mNoUpdateAvailable}
                                          : Messages{mAskUpgrade});
        PublishInfo({row.key, entry});

        engine.CheckUpdate(false);
        EXPECT_TRUE(Settle("NoUpdate"));
        EXPECT_EQ(Log(), row.expected);
        EXPECT_FALSE(engine.UpdateAvailable());
        EXPECT_FALSE(QFile::exists(dir.filePath("a.bin.uTMP")));
    }
}

TEST_F(RenovatorQueryTest, QueryFailureIsReportedAndEndsAWaitingCheck) {
    const std::string dead = "http://127.0.0.1:" + std::to_string(FreeLoopbackPort()) + "/u.inf";
    const std::string noInfo =
        "Error(File which contains upgrade information was not found on developer's site.)\n";
    const std::string unreachable = "Unreachable(" + dead + ",127.0.0.1)\n";
    const std::string hostBox =
        "Error(Host http://127.0.0.1 unreachable.\n\nPlease check your Internet connection and\n"
        "try to upgrade this software again later.)\n";
    struct Case {
        const char* name;
        std::string url;
        Messages shown;
        std::string expected;
    };
    // clang-format off
    const Case cases[] = {
        {"missing, reported", Url("missing.inf"), {mNoInfoFile}, "NoInfoFile\n" + noInfo},
        {"missing", Url("missing.inf"), {mHostUnreachable, mNoUpdateAvailable}, "NoInfoFile\n"},
        {"unreachable, reported", dead, {mHostUnreachable}, unreachable + hostBox},
        {"unreachable", dead, {mNoInfoFile, mNoUpdateAvailable}, unreachable},
    };
    // clang-format on
    for (const Case& row : cases) {
        SCOPED_TRACE(row.name);
        log.clear();
        engine.SetInfoFileURL(row.url);
        engine.SetShowMessages(row.shown);

        EXPECT_FALSE(CheckUpdateWaiting());
        PumpFor(100ms);
        EXPECT_EQ(Log(), row.expected);
    }
}

TEST_F(RenovatorQueryTest, WaitingCheckOnlyTellsWhetherANewerReleaseExists) {
    Serve("a.bin", 100);
    const std::string entry = "#url=" + Url("rel/a.bin") + "=" + Dest("a.bin");
    engine.SetShowMessages(
        {mAskUpgrade, mNoUpdateAvailable, mConnLost, mLostFile, mHostUnreachable, mNoInfoFile});
    PublishInfo({"#version=1.2.1.3", "#message={Faster.}", entry});
    EXPECT_TRUE(CheckUpdateWaiting());
    PumpFor(100ms);
    EXPECT_EQ(Log(), "Begin(Faster.)\n");
    EXPECT_FALSE(QFile::exists(dir.filePath("a.bin.uTMP")));

    // A later check that finds nothing newer does not keep the earlier answer.
    PublishInfo({"#version=1.2.1.2", entry});
    EXPECT_FALSE(CheckUpdateWaiting());
    PumpFor(100ms);
    EXPECT_EQ(Log(),
              "Begin(Faster.)\nNoUpdate\nInformation(Newer version not found. You actually are\n"
              "using most recent version of this program.)\n");
}

TEST_F(RenovatorQueryTest, RestartParameterKeepsASpaceAndRaisesAfterRestartExactly) {
    EXPECT_EQ(engine.RestartParams(), "/afterupgrade");
    struct Case {
        std::string firstParameter;
        bool raised;
    };
    const Case cases[] = {{"/afterupgrade", true}, {"/afterupgrade0", false}, {"", false}};
    for (const Case& row : cases) {
        SCOPED_TRACE(row.firstParameter);
        log.clear();
        engine.Loaded(row.firstParameter);
        EXPECT_EQ(Log(), row.raised ? "AfterRestart\n" : "");
    }
    engine.SetRestartParams("");
    EXPECT_EQ(engine.RestartParams(), " ");
}

TEST_F(RenovatorQueryTest, TheRestartShowsWhatTheHelperCouldNotDo) {
    const QString result = temp->filePath("RenovatorResult.txt");
    // As the helper records it.
    WriteFileBytes(result,
                   "moved\t/opt/t/LangJ.ini\nfailed\tCannot move /opt/t/a.uTMP to /opt/t/a: Is a "
                   "directory\nfailed\t/opt/t/tessaro is still in use after 300 ms; nothing is "
                   "started\n");
    for (const std::string first : {"/afterupgrade0", "/afterupgrade"}) {
        log.clear();
        engine.Loaded(first);
    }
    EXPECT_EQ(Log(),
              "AfterRestart\nError(The update of update_renovator_tests was not completed:\n\n"
              "Cannot move /opt/t/a.uTMP to /opt/t/a: Is a directory\n/opt/t/tessaro is still in "
              "use after 300 ms; nothing is started)\n");
    WriteFileBytes(result, "moved\t/opt/t/LangJ.ini\n");
    log.clear();
    engine.Loaded("/afterupgrade");
    EXPECT_EQ(Log(), "AfterRestart\n");
    QFile::remove(result);
}

}  // namespace
}  // namespace tessaro::test
