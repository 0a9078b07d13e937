#include <QFileInfo>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "HTTPTestSupport.h"
#include "RenovatorEngineFixture.h"
#include "platform/Folders.h"
#include "update/renovator/kuSystemInstall.h"

namespace tessaro::test {
namespace {

using ::testing::HasSubstr;

const std::string kOutside =
    "would write a file outside the program's folder and was not installed";

// Releases whose contents must not be installed as they stand, through the real engine.
class RenovatorReleaseTest : public TRenovatorEngineTest {
protected:
    void SetUp() override {
        TRenovatorEngineTest::SetUp();
        engine.SetShowMessages({});
        loopback->ClearLog();
    }
    // A signed release with one file from the test server, for that destination.
    void PublishOne(const std::string& destination) {
        PublishInfo({"#version=1.2.1.3", "#url=" + loopback->Url("/data/100") + "=" + destination});
    }
    bool OutsideIsEmpty() const {
        return QDir(outside.path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    QTemporaryDir outside;
};

TEST_F(RenovatorReleaseTest, ADestinationOutsideItsFoldersIsRefusedBeforeAnyDownload) {
    const std::string escape = outside.path().toStdString();
    ASSERT_TRUE(QFile::link(outside.path(), temp->filePath("link")));
    const std::string relative = QDir(QString::fromStdString(ApplicationFolder()))
                                     .relativeFilePath(outside.path())
                                     .toStdString();
    const std::string rows[] = {
        escape + "/x",
        "../" + LastSegment(escape) + "/x",
        relative + "/x",
        "%current%" + relative + "/x",
        "%temp%../" + LastSegment(escape) + "/x",
        "%temp%link/x",
        "%appdata%autostart/evil.desktop",
        "%temp%RenovatorQueue.txt",
        "%temp%Renovator4",
        "%temp%RenovatorResult.txt",
        "%temp%",
    };
    for (const std::string& destination : rows) {
        SCOPED_TRACE(destination);
        log.clear();
        PublishOne(destination);
        engine.CheckUpdate(false);
        ASSERT_TRUE(Settle("Aborted")) << Log();
        EXPECT_THAT(Log(), HasSubstr(kOutside));
        EXPECT_THAT(engine.Refusal(), HasSubstr("lies outside"));
        EXPECT_EQ(loopback->RequestLog(), "");
        EXPECT_TRUE(OutsideIsEmpty());
    }
    EXPECT_FALSE(QFileInfo::exists(
        QString::fromStdString(platform::ProfileFolder() + "/autostart/evil.desktop.uTMP")));
    EXPECT_FALSE(QFileInfo::exists(temp->filePath("RenovatorQueue.txt.uTMP")));
}

TEST_F(RenovatorReleaseTest, ADestinationInsideTheTemporaryFolderIsWritten) {
    PublishOne("%temp%inside/a.bin");
    loopback->ClearLog();
    engine.CheckUpdate(false);
    ASSERT_TRUE(Settle("Start(100)")) << Log();
    EXPECT_THAT(Log(), ::testing::Not(HasSubstr(kOutside)));
    engine.Abort(false);
}

TEST_F(RenovatorReleaseTest, AnInstallThisUserCannotChangeIsToldBeforeAnyDownload) {
    if (::geteuid() == 0) GTEST_SKIP() << "every folder is writable for root";
    const QString locked = temp->filePath("locked");
    ASSERT_TRUE(QDir().mkpath(locked + "/sub"));
    ASSERT_TRUE(QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner));
    for (const std::string destination : {"%temp%locked/a.bin", "%temp%locked/new/a.bin"}) {
        SCOPED_TRACE(destination);
        log.clear();
        PublishOne(destination);
        engine.CheckUpdate(false);
        ASSERT_TRUE(Settle("Aborted")) << Log();
        EXPECT_THAT(Log(), HasSubstr("is installed where you cannot change it.\n\nIts owner or the "
                                     "system's package manager updates it"));
        EXPECT_THAT(Log(), ::testing::Not(HasSubstr("Wizard")));
        EXPECT_EQ(loopback->RequestLog(), "");
    }
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// Asked or not, a system install hears of the release and is never offered it.
TEST_F(RenovatorReleaseTest, ASystemInstallIsToldToUseThePackageManager) {
    engine.SetSystemInstall(true);
    PublishOne("%temp%a.bin");
    for (const bool ask : {true, false}) {
        SCOPED_TRACE(ask);
        log.clear();
        engine.SetShowMessages(ask ? TkuRenovatorShowMessages{TkuRenovatorShowMessage::mAskUpgrade}
                                   : TkuRenovatorShowMessages{});
        engine.CheckUpdate(false);
        ASSERT_TRUE(Settle(ask ? "Later" : "Aborted")) << Log();
        EXPECT_THAT(Log(), HasSubstr("has been released (1.2.1.2 \u2192 1.2.1.3).\n\nThis "
                                     "installation belongs to the system's package manager"));
        EXPECT_THAT(Log(), ::testing::Not(HasSubstr("Ask(")));
        EXPECT_TRUE(engine.UpdateAvailable());
        EXPECT_EQ(loopback->RequestLog(), "");
        EXPECT_FALSE(QFileInfo::exists(temp->filePath("a.bin.uTMP")));
    }
}

TEST(SystemInstall, IsAFolderUnderUsrOrOneOfRootsTheUserCannotWrite) {
    QTemporaryDir own;
    const QString locked = own.filePath("locked");
    ASSERT_TRUE(QDir().mkpath(locked));
    ASSERT_TRUE(QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner));
    const bool user = ::geteuid() != 0;
    const struct {
        std::string folder;
        bool system;
    } rows[] = {
        {"/usr/lib/tessaro/", true},
        {"/usr", true},
        {"/usrlocal/tessaro", false},
        {own.path().toStdString(), false},
        {locked.toStdString(), false},  // the user's own, though locked
        {"/", user},
        {own.filePath("missing").toStdString(), false},
    };
    for (const auto& row : rows) EXPECT_EQ(IsSystemInstall(row.folder), row.system) << row.folder;
}

TEST_F(RenovatorReleaseTest, TheCompletionPageCountsASkippedFile) {
    Serve("kept.bin", 1000);
    PublishInfo({"#version=1.2.1.3", "#url=" + Url("rel/kept.bin") + "=" + Dest("kept.bin"),
                 "#url2=" + Url("rel/gone.bin") + "=" + Dest("gone.bin")});
    engine.SetShowMessages({TkuRenovatorShowMessage::mLostFile});
    engine.CheckUpdate(false);
    ASSERT_TRUE(Settle("End")) << Log();
    EXPECT_THAT(Log(), HasSubstr("Lost(gone.bin,404)\nSkip("));
    EXPECT_THAT(Log(), HasSubstr("Finish(1 installed, 1 skipped)\nEnd\n"));
}

TEST_F(RenovatorReleaseTest, ALinkPlantedAtADownloadNameIsNeverFollowed) {
    engine.Wizard().Enabled = false;
    const QString existing = outside.filePath("existing");
    ASSERT_TRUE(WriteFileBytes(existing, "keep"));
    const struct {
        const char* name;
        QString target;
    } rows[] = {{"dangling", outside.filePath("created")}, {"existing file", existing}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        log.clear();
        const std::string name = UniqueAppName(std::string(row.name) + ".ini");
        const std::string bytes = Serve(name, 3000);
        const QString download = QString::fromStdString(AppFile(name) + ".uTMP");
        ASSERT_TRUE(QFile::link(row.target, download));
        PublishInfo({"#version=1.2.1.3", "#url=" + Url("rel/" + name) + "=%current%" + name});
        engine.CheckUpdate(false);
        ASSERT_TRUE(Settle("End")) << Log();
        EXPECT_FALSE(QFileInfo(download).isSymLink());
        EXPECT_TRUE(SameBytes(ReadFileBytes(download), bytes));
        EXPECT_EQ(ReadFileBytes(existing), "keep");
        EXPECT_FALSE(QFileInfo::exists(outside.filePath("created")));
    }
}

}  // namespace
}  // namespace tessaro::test
