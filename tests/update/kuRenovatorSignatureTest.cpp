#include <QDir>
#include <QFile>

#include <gmock/gmock.h>

#include <functional>

#include "ReleaseSigning.h"
#include "RenovatorEngineFixture.h"
#include "update/renovator/kuRenovatorLanguage.h"

namespace tessaro::test {
namespace {

// A release of two files, one into a folder of the test and one into the
// program's folder, and every way its signatures can fail to prove it.
class RenovatorSignatureTest : public TRenovatorEngineTest {
public:  // the cases below spoil the release through it
    void SetUp() override {
        TRenovatorEngineTest::SetUp();
        engine.SetShowMessages({});
        appName_ = UniqueAppName("b.bin");
        Serve("a.bin", 3000);
        Serve(appName_, 5000);
        Publish("1.2.1.3");
    }

    void Publish(const std::string& release) {
        PublishInfo({"#version=" + release, "#url=" + Url("rel/a.bin") + "=" + Dest("a.bin"),
                     "#url2=" + Url("rel/" + appName_)});
    }
    QString Served(const std::string& name) const {
        return nginx->WwwPath(QString::fromStdString("rel/" + name));
    }
    std::vector<std::string> LeftDownloads() const {
        std::vector<std::string> left;
        for (const std::string& path : {Dest("a.bin.uTMP"), AppFile(appName_) + ".uTMP"})
            if (QFile::exists(QString::fromStdString(path))) left.push_back(path);
        return left;
    }
    QString StrangerKey() { return MakeSigningKey(stranger_.path()); }

    std::string appName_;
    QTemporaryDir stranger_;
};

const std::string kRefusedBox =
    "Error(The update of update_renovator_tests could not be verified as coming from its "
    "publisher and was not installed.\n\nNothing has been changed.)\n";

TEST_F(RenovatorSignatureTest, AReleaseThatCannotBeProvenIsNeverHandedOn) {
    struct Case {
        const char* name;
        std::function<void(RenovatorSignatureTest&)> spoil;
        std::string refusal;  // what the engine says it refused, in English
    };
    const auto flipByte = [](const QString& path) {
        std::string bytes = ReadFileBytes(path);
        bytes[bytes.size() / 2] ^= 0x01;
        WriteFileBytes(path, bytes);
    };
    const Case cases[] = {
        {"tampered file", [&](auto& t) { flipByte(t.Served(t.appName_)); }, "does not match"},
        {"tampered info file",
         [](auto&) {
             WriteFileBytes(nginx->WwwPath("update.inf"),
                            ReadFileBytes(nginx->WwwPath("update.inf")) + "#url3=http://x/y\r\n");
         },
         "does not match"},
        {"swapped signatures",
         [](auto& t) {
             const QString a = t.Served("a.bin.minisig"), b = t.Served(t.appName_ + ".minisig");
             const std::string first = ReadFileBytes(a);
             WriteFileBytes(a, ReadFileBytes(b));
             WriteFileBytes(b, first);
         },
         "does not match"},
        {"another key",
         [](auto& t) {
             ASSERT_TRUE(SignReleaseFile(t.Served("a.bin"), "a.bin", kRelease, t.StrangerKey()));
         },
         "key this program does not trust"},
        {"missing file signature",
         [](auto& t) { QFile::remove(t.Served(t.appName_ + ".minisig")); },
         "missing on the server"},
        {"missing info signature",
         [](auto&) { QFile::remove(nginx->WwwPath("update.inf.minisig")); },
         "missing on the server"},
        {"file of an older release",
         [](auto& t) { ASSERT_TRUE(SignReleaseFile(t.Served(t.appName_), t.appName_, "1.2.1.1")); },
         "another file"},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.name);
        SetUp();
        log.clear();
        engine.SetShowMessages({TkuRenovatorShowMessage::mLostFile});
        row.spoil(*this);
        engine.CheckUpdate(false);
        EXPECT_TRUE(Settle("Aborted"));
        EXPECT_NE(Log().find("Aborted\n" + kRefusedBox), std::string::npos) << Log();
        EXPECT_EQ(Log().find("End"), std::string::npos) << Log();
        EXPECT_EQ(Log().find("Skip("), std::string::npos) << "a refusal may not be skipped";
        EXPECT_THAT(LeftDownloads(), ::testing::IsEmpty());
        EXPECT_FALSE(QFile::exists(QString::fromStdString(Dest("a.bin"))));
        EXPECT_FALSE(QFile::exists(QString::fromStdString(AppFile(appName_))));
        EXPECT_NE(engine.Refusal().find(row.refusal), std::string::npos) << engine.Refusal();
    }
}

TEST_F(RenovatorSignatureTest, AnOlderSignedReleaseIsNoUpdate) {
    for (const std::string release : {"1.2.1.2", "1.2.1.1"}) {
        log.clear();
        Publish(release);
        engine.CheckUpdate(false);
        EXPECT_TRUE(Settle("NoUpdate"));
        EXPECT_EQ(Log(), "NoUpdate\n") << release;
        EXPECT_THAT(LeftDownloads(), ::testing::IsEmpty());
    }
}

TEST_F(RenovatorSignatureTest, WithoutAKeyANewerReleaseIsReportedButNeverOffered) {
    EXPECT_FALSE(engine.SetPublicKey(""));
    EXPECT_FALSE(engine.SetPublicKey("RWQ not a key"));
    EXPECT_TRUE(CheckUpdateWaiting()) << "a query may still tell";
    PumpFor(100ms);  // the first transfer's worker ends
    log.clear();
    engine.SetShowMessages({TkuRenovatorShowMessage::mAskUpgrade});
    engine.CheckUpdate(false);
    EXPECT_TRUE(Settle("Later"));
    EXPECT_EQ(Log(), "Begin()\n" + kRefusedBox + "Later\n");
    EXPECT_THAT(LeftDownloads(), ::testing::IsEmpty());
}

// A proxy on the path that changes one byte of one file in flight.
class TTamperingProxy final : public TServerProcess {
public:
    explicit TTamperingProxy(const std::string& suffix) {
        StartOnAnnouncedPort({"/usr/bin/python3",
                              TESSARO_SOURCE_DIR "/tests/update/TamperingProxy.py", "--tamper",
                              suffix});
    }
};

TEST_F(RenovatorSignatureTest, AFileChangedOnTheWayIsCaught) {
    for (const bool tamper : {false, true}) {
        SCOPED_TRACE(tamper ? "changed in flight" : "passed on unchanged");
        SetUp();
        log.clear();
        TTamperingProxy proxy(tamper ? appName_ : "nothing");
        ASSERT_NE(proxy.Port(), 0);
        engine.Proxy().AccessType = TkuHTTPAccessType::atUseProxy;
        engine.Proxy().ProxyServer = "127.0.0.1";
        engine.Proxy().ProxyPort = proxy.Port();
        engine.Proxy().ProxyBypass = "";
        engine.CheckUpdate(false);
        EXPECT_TRUE(Settle(tamper ? "Aborted" : "End"));
        EXPECT_EQ(Log().find("Aborted") != std::string::npos, tamper) << Log();
        EXPECT_EQ(LeftDownloads().size(), tamper ? 0u : 2u);
    }
}

}  // namespace
}  // namespace tessaro::test
