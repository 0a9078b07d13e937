#include <QDateTime>
#include <QFileInfo>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>

#include "../platform/ScopedEnv.h"
#include "HTTPTestSupport.h"
#include "RenovatorEngineFixture.h"

namespace tessaro::test {
namespace {

using Messages = TkuRenovatorShowMessages;
using enum TkuRenovatorShowMessage;

const std::string kNote = "Faster start-up.\r\nFixed the settings dialog.";

class RenovatorDownloadTest : public TRenovatorEngineTest {
protected:
    // The log of one file's download, with the wizard's lines when it is open.
    static std::string Downloaded(const std::string& name, int index, int count, bool wizard) {
        const std::string line = "File(" + name + ",Downloading " + std::to_string(index) + " of " +
                                 std::to_string(count) + ")\n";
        return (wizard ? line : "") + "Start(" + name + ")\nDone(" + name + ".uTMP)\n";
    }
    static bool Exists(const std::string& path) {
        return QFile::exists(QString::fromStdString(path));
    }
    static qint64 ModifiedSeconds(const std::string& path) {
        return QFileInfo(QString::fromStdString(path)).lastModified().toSecsSinceEpoch();
    }
    static std::string Bytes(const std::string& path) {
        return ReadFileBytes(QString::fromStdString(path));
    }
};

TEST_F(RenovatorDownloadTest, NewerReleaseIsDownloadedBesideItsDestinationsAsAgreed) {
    const std::string a = Serve("a.bin", 3000), b = Serve("b.bin", 70000);
    QFile served(nginx->WwwPath("rel/b.bin"));
    ASSERT_TRUE(served.open(QIODevice::ReadWrite));
    ASSERT_TRUE(served.setFileTime(QDateTime::fromSecsSinceEpoch(1258632000),
                                   QFileDevice::FileModificationTime));
    served.close();
    const std::string appName = UniqueAppName("c.bin");
    const std::string c = Serve(appName, 1234);
    const std::string subfolder = temp->filePath("sub/deeper/b.bin").toStdString();
    PublishInfo({"#version=1.2.1.3", "#message={" + kNote + "}",
                 "#url=" + Url("rel/a.bin") + "=" + Dest("a.bin"),
                 "#url2=" + Url("rel/b.bin") + "=%temp%sub/deeper/b.bin",
                 "#url3=" + Url("rel/" + appName)});
    const auto files = [&](bool wizard) {
        return Downloaded("a.bin", 1, 3, wizard) + Downloaded("b.bin", 2, 3, wizard) +
               Downloaded(appName, 3, 3, wizard);
    };
    const std::string begin = "Begin(" + kNote + ")\n",
                      ask = "Ask(" + kNote + " | 1.2.1.2 \u2192 1.2.1.3)\n";
    struct Case {
        const char* name;
        bool ask, answer, wizard;
        std::string expected;
    };
    // clang-format off
    const Case cases[] = {
        {"asked, yes", true, true, true, begin + ask + "Wizard\n" + files(true) + "Finish\nEnd\n"},
        {"asked, later", true, false, true, begin + ask + "Later\n"},
        {"not asked", false, false, true, begin + "Wizard\n" + files(true) + "Finish\nEnd\n"},
        {"no wizard", false, false, false, begin + files(false) + "End\n"},
    };
    // clang-format on
    for (const Case& row : cases) {
        SCOPED_TRACE(row.name);
        log.clear();
        targets.clear();
        for (const std::string& path : {Dest("a.bin"), subfolder, AppFile(appName)})
            QFile::remove(QString::fromStdString(path + ".uTMP"));
        QDir(temp->filePath("sub")).removeRecursively();
        engine.SetShowMessages(row.ask ? Messages{mAskUpgrade} : Messages{});
        engine.Wizard().Enabled = row.wizard;
        dialogs.upgradeAnswer = row.answer;

        engine.CheckUpdate(false);
        const bool later = row.ask && !row.answer;
        EXPECT_TRUE(Settle(later ? "Later" : "End"));
        EXPECT_EQ(Log(), row.expected);
        if (later) {
            EXPECT_FALSE(Exists(Dest("a.bin.uTMP")));
            EXPECT_FALSE(Exists(subfolder + ".uTMP"));
            continue;
        }
        // The .uTMP files stay for the helper, which was never started.
        EXPECT_TRUE(SameBytes(Bytes(Dest("a.bin.uTMP")), a));
        EXPECT_TRUE(SameBytes(Bytes(subfolder + ".uTMP"), b));
        EXPECT_TRUE(SameBytes(Bytes(AppFile(appName) + ".uTMP"), c));
        // Each download carries the server's Last-Modified.
        EXPECT_EQ(ModifiedSeconds(subfolder + ".uTMP"), 1258632000);
        EXPECT_EQ(targets, (std::vector<std::string>{Dest("a.bin.uTMP"), subfolder + ".uTMP",
                                                     AppFile(appName) + ".uTMP"}));
        ASSERT_EQ(engine.Files().Count(), 3);
        EXPECT_EQ(engine.Files().GetValue(0), Dest("a.bin"));
        EXPECT_EQ(engine.Files().GetValue(1), subfolder);
        EXPECT_EQ(engine.Files().GetValue(2), "");
    }
}

TEST_F(RenovatorDownloadTest, MissingFileIsSkippedOnlyWithConsent) {
    Serve("a.bin", 2000);
    const std::string d = Serve("d.bin", 3000);
    const std::string appName = UniqueAppName("c.bin");
    Serve(appName, 1000);
    PublishInfo({"#version=1.2.1.3", "#url=" + Url("rel/a.bin") + "=" + Dest("a.bin"),
                 "#url2=" + Url("rel/" + appName),
                 "#url3=" + Url("rel/missing.bin") + "=" + Dest("missing.bin"),
                 "#url4=" + Url("rel/d.bin") + "=" + Dest("d.bin")});
    engine.Wizard().Enabled = false;
    const std::string head = "Begin()\n" + Downloaded("a.bin", 1, 4, false) +
                             Downloaded(appName, 2, 4, false) + "Start(missing.bin)\n" +
                             "Lost(missing.bin,404)\n";
    const std::string asked =
        "Skip(Error #404: File missing.bin not found or inaccessible.\n\nTry to skip this file "
        "and continue upgrade?)\n";
    const std::string skipped = Downloaded("d.bin", 4, 4, false) + "End\n";
    struct Case {
        const char* name;
        bool box, handlerConsents, userAnswer;
        std::string expected;
    };
    // clang-format off
    const Case cases[] = {
        {"user skips", true, false, true, head + asked + skipped},
        {"user stops", true, false, false, head + asked + "Aborted\n"},
        {"user overrules the handler", true, true, false, head + asked + "Aborted\n"},
        {"handler skips", false, true, false, head + skipped},
        {"nobody agrees", false, false, false, head + "Aborted\n"},
    };
    // clang-format on
    for (const Case& row : cases) {
        SCOPED_TRACE(row.name);
        log.clear();
        engine.SetShowMessages(row.box ? Messages{mLostFile} : Messages{});
        lostFileConsent = row.handlerConsents;
        dialogs.skipAnswer = row.userAnswer;

        engine.CheckUpdate(false);
        const bool skips = row.expected.ends_with("End\n");
        EXPECT_TRUE(Settle(skips ? "End" : "Aborted"));
        EXPECT_EQ(Log(), row.expected);
        if (skips) {
            EXPECT_TRUE(SameBytes(Bytes(Dest("d.bin.uTMP")), d));
            QFile::remove(QString::fromStdString(Dest("d.bin.uTMP")));
        }
        // An abort leaves no download of the release behind, wherever it went.
        for (const std::string& path : {Dest("a.bin"), AppFile(appName)})
            EXPECT_EQ(Exists(path + ".uTMP"), skips) << path;
        EXPECT_FALSE(Exists(Dest("missing.bin.uTMP")));
    }
}

// Not a wizard left waiting for ever: the user may skip the file or stop.
TEST_F(RenovatorDownloadTest, FileThatCannotBeWrittenIsALostFile) {
    Serve("a.bin", 2000);
    // A folder where the download would go, that nothing clears away.
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(Dest("a.bin.uTMP/kept"))));
    PublishInfo({"#version=1.2.1.3", "#url=" + Url("rel/a.bin") + "=" + Dest("a.bin")});
    engine.SetShowMessages(Messages{mLostFile});
    dialogs.skipAnswer = false;
    engine.CheckUpdate(false);
    EXPECT_TRUE(Settle("Aborted"));
    EXPECT_THAT(Log(), ::testing::HasSubstr("Lost(a.bin,0)\nSkip(Error #0: File a.bin not found"));
    EXPECT_THAT(Log(), ::testing::EndsWith("DestroyWizard\nAborted\n"));
}

TEST_F(RenovatorDownloadTest, LostConnectionStopsWithoutAbortingAndKeepsThePartialFile) {
    Serve("a.bin", 2000);
    Serve("c.bin", 2000);
    PublishInfo({"#version=1.2.1.3", "#url=" + Url("rel/a.bin") + "=" + Dest("a.bin"),
                 "#url2=" + Url("rel/dropped.bin") + "=" + Dest("dropped.bin"),
                 "#url3=" + Url("rel/c.bin") + "=" + Dest("c.bin")});
    engine.SetShowMessages({mConnLost});

    engine.CheckUpdate(false);
    EXPECT_TRUE(Settle("DestroyWizard"));
    PumpFor(300ms);
    EXPECT_EQ(Log(), "Begin()\nWizard\n" + Downloaded("a.bin", 1, 3, true) +
                         "File(dropped.bin,Downloading 2 of 3)\nStart(dropped.bin)\nConnLost\n"
                         "Error(Connection with remote server lost.\n\nPlease restore connection "
                         "and try to\nupgrade this software again later.)\nDestroyWizard\n");
    EXPECT_TRUE(SameBytes(Bytes(Dest("dropped.bin.uTMP")), PatternBytes(0, 5000)));
    EXPECT_TRUE(Exists(Dest("a.bin.uTMP")));
    EXPECT_FALSE(Exists(Dest("c.bin.uTMP")));
    // The engine is idle again: the next check runs.
    EXPECT_TRUE(CheckUpdateWaiting());
}

TEST_F(RenovatorDownloadTest, TotalProgressAddsTheShareOfTheCurrentFileToTheFilesDone) {
    std::vector<std::string> lines = {"#version=1.2.1.3"};
    std::map<std::string, int> indexOf;
    for (int i = 0; i < 4; ++i) {
        const std::string name = "part" + std::to_string(i) + ".bin";
        Serve(name, 150000 + 1000 * static_cast<std::size_t>(i));
        lines.push_back((i == 0 ? "#url=" : "#url" + std::to_string(i + 1) + "=") +
                        Url("rel/" + name) + "=" + Dest(name));
        indexOf[Url("rel/" + name)] = i;
    }
    PublishInfo(lines);
    engine.SetShowMessages({});

    engine.CheckUpdate(false);
    ASSERT_TRUE(Settle("End"));
    std::map<int, int> stepsOf;
    int previous = 0;
    for (const TProgressStep& step : progress) {
        ASSERT_TRUE(indexOf.contains(step.url)) << step.url;
        const int index = indexOf[step.url];
        ++stepsOf[index];
        EXPECT_EQ(step.total, 25 * index + step.percents / 4)
            << "file " << index << " at " << step.percents << "%";
        EXPECT_GE(step.total, previous);
        previous = step.total;
    }
    EXPECT_EQ(stepsOf.size(), 4u);
}

TEST_F(RenovatorDownloadTest, AHelperThatCannotBeWrittenKeepsTheProgramOpenAndSaysWhy) {
    if (::geteuid() == 0) GTEST_SKIP() << "root writes into any folder";
    QTemporaryDir locked;
    QFile::setPermissions(locked.path(), QFile::ReadOwner | QFile::ExeOwner);
    const testing::ScopedEnv temp("TEMP", locked.path().toUtf8().constData());

    engine.RestartApplication("");
    EXPECT_THAT(Log(), ::testing::HasSubstr("Error(The update cannot go on: the update helper "
                                            "cannot be written to " +
                                            locked.path().toStdString() + "/Renovator4.)"));
    QFile::setPermissions(locked.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

}  // namespace
}  // namespace tessaro::test
