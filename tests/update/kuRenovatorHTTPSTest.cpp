#include <gmock/gmock.h>

#include <memory>

#include "ReleaseSigning.h"
#include "RenovatorEngineFixture.h"
#include "TestAuthority.h"

namespace tessaro::test {
namespace {

// A signed release on an https server whose certificate our own test
// authority issued: the engine takes it only when told to trust that
// authority, and still checks the signatures.
class RenovatorHTTPSTest : public TRenovatorEngineTest {
protected:
    void SetUp() override {
        TRenovatorEngineTest::SetUp();
        ASSERT_TRUE(authority_.Made());
        ASSERT_TRUE(authority_.Issue("loopback", "IP:127.0.0.1"));
        server_.reset(SecureServer(folder_.path(), "loopback"));
        ASSERT_TRUE(server_->Running()) << ReadFileBytes(server_->FolderPath("error.log"));
        const std::string bytes = PatternBytes(7, 20000);
        ASSERT_TRUE(WriteFileBytes(server_->WwwPath("a.bin"), bytes));
        ASSERT_TRUE(SignReleaseFile(server_->WwwPath("a.bin"), "a.bin", kRelease));
        const QString info = server_->WwwPath("update.inf");
        ASSERT_TRUE(
            WriteFileBytes(info, "#version=1.2.1.3\r\n#url=" + server_->Url("/a.bin", "https") +
                                     "=" + Dest("a.bin") + "\r\n"));
        ASSERT_TRUE(SignReleaseFile(info, "update.inf", kRelease));
        engine.SetInfoFileURL(server_->Url("/update.inf", "https"));
        engine.SetShowMessages({TkuRenovatorShowMessage::mHostUnreachable});
        engine.Wizard().Enabled = false;
        served_ = bytes;
    }

    QTemporaryDir folder_;
    TTestAuthority authority_{folder_.path(), "ours"};
    std::unique_ptr<TNginxServer> server_;
    std::string served_;
};

TEST_F(RenovatorHTTPSTest, TrustedServerDeliversTheReleaseAnyOtherIsUnreachable) {
    engine.SetCAFile(authority_.Certificate());
    engine.CheckUpdate(false);
    EXPECT_TRUE(Settle("End"));
    EXPECT_EQ(Log(), "Begin()\nStart(a.bin)\nDone(a.bin.uTMP)\nEnd\n");
    EXPECT_TRUE(SameBytes(ReadFileBytes(QString::fromStdString(Dest("a.bin.uTMP"))), served_));

    QFile::remove(QString::fromStdString(Dest("a.bin.uTMP")));
    PumpFor(100ms);
    log.clear();
    engine.SetCAFile("");  // the system's authorities know nothing of ours
    engine.CheckUpdate(false);
    EXPECT_TRUE(Settle("Unreachable(" + server_->Url("/update.inf", "https") + ",127.0.0.1)"));
    EXPECT_THAT(Log(), ::testing::HasSubstr("Error(Host http://127.0.0.1 unreachable."));
    EXPECT_FALSE(QFile::exists(QString::fromStdString(Dest("a.bin.uTMP"))));
}

}  // namespace
}  // namespace tessaro::test
