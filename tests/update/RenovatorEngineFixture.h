#pragma once

#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "LoopbackServers.h"
#include "ReleaseSigning.h"
#include "ScriptedRenovatorDialogs.h"
#include "ThreadTestSupport.h"
#include "update/helper/kuUpdateHelper.h"
#include "update/renovator/kuRenovator.h"
#include "update/utils/kuFolders.h"

namespace tessaro::test {

// One OnProgress event: the file's URL, its percentage and the release's.
struct TProgressStep {
    std::string url;
    int percents;
    int total;
};

// An engine against nginx, which serves the info file and the release under
// /rel/, and the misbehaving test server behind nginx's redirects. The
// engine's events and the dialogs it shows go into one log. The temporary
// folder (%temp%, and where the helper would go) is private to the suite.
class TRenovatorEngineTest : public ::testing::Test {
protected:
    static constexpr const char* kRelease = "1.2.1.3";

    static void SetUpTestSuite() {
        temp = std::make_unique<QTemporaryDir>();
        qputenv("TEMP", temp->path().toUtf8());
        loopback = std::make_unique<TLoopbackServer>();
        const std::string dropped = loopback->Url("/data/100000?drop=5000");
        nginx = std::make_unique<TNginxServer>(
            "    default_type application/octet-stream;\n"
            "    location /rel/private/ {\n      auth_basic \"Tessaro test\";\n"
            "      auth_basic_user_file htpasswd;\n    }\n"
            "    location = /rel/dropped.bin { return 302 " +
            dropped + "; }\n");
        QDir().mkpath(nginx->WwwPath("rel/private"));
        WriteFileBytes(nginx->FolderPath("htpasswd"), "tess:{PLAIN}aro\n");
    }
    static void TearDownTestSuite() {
        nginx.reset();
        loopback.reset();
        qunsetenv("TEMP");
        temp.reset();
    }

    void SetUp() override {
        ASSERT_NE(loopback->Port(), 0);
        ASSERT_TRUE(nginx->Running()) << ReadFileBytes(nginx->FolderPath("error.log"));
        engine.Wizard().SetLanguage(TkuRenovatorLanguage::wlEnglish);
        engine.SetDialogs(&dialogs);
        ASSERT_TRUE(engine.SetPublicKey(ReadFileBytes(TESSARO_TEST_KEY_DIR "/publisher.pub")));
        engine.SetVersionControl(TkuRenovatorVersionControl::byNumber);
        engine.SetVersionNumber("1.2.1.2");
        engine.SetInfoFileURL(Url("update.inf"));
        Record();
    }

    // Never a restart in a test: the helper would replace files beside the test
    // program and start it again.
    void TearDown() override {
        for (const std::string& name : appFiles) {
            QFile::remove(QString::fromStdString(ApplicationFolder() + name));
            QFile::remove(QString::fromStdString(ApplicationFolder() + name + ".uTMP"));
        }
        EXPECT_FALSE(QFile::exists(QString::fromStdString(UpdateHelperPath())));
        EXPECT_FALSE(QFile::exists(QString::fromStdString(UpdateQueuePath())));
        EXPECT_EQ(std::count(log.begin(), log.end(), "Closed"), 0);
    }

    void Record() {
        engine.OnBeginUpgrade = [this](QObject*, const std::string& msg, TdyUpgradeMethod,
                                       TkuStringList&,
                                       bool&) { log.push_back("Begin(" + msg + ")"); };
        engine.OnEndUpgrade = [this](QObject*, bool& restartImediately) {
            log.push_back("End");
            restartImediately = false;
        };
        engine.OnDoOwnCloseAppMethod = [this](QObject*) { log.push_back("Closed"); };
        engine.OnLaterUpgrade = [this](QObject*) { log.push_back("Later"); };
        engine.OnNoUpdateAvailable = [this](QObject*) { log.push_back("NoUpdate"); };
        engine.OnNoInfoFile = [this](QObject*) { log.push_back("NoInfoFile"); };
        engine.OnAborted = [this](QObject*) { log.push_back("Aborted"); };
        engine.OnConnLost = [this](QObject*) { log.push_back("ConnLost"); };
        engine.OnAfterRestart = [this](QObject*) { log.push_back("AfterRestart"); };
        engine.OnFileStart = [this](QObject*, const std::string& url, std::int32_t, TDateTime,
                                    bool& canUpgrade) {
            log.push_back("Start(" + LastSegment(url) + (canUpgrade ? ")" : " skipped)"));
        };
        engine.OnFileDone = [this](QObject*, const std::string& target) {
            log.push_back("Done(" + LastSegment(target) + ")");
            targets.push_back(target);
        };
        engine.OnHostUnreachable = [this](QObject*, const std::string& url,
                                          const std::string& host) {
            log.push_back("Unreachable(" + url + "," + host + ")");
        };
        engine.OnLostFile = [this](QObject*, const std::string& url, std::int32_t code,
                                   bool& continueUpgrade) {
            log.push_back("Lost(" + LastSegment(url) + "," + std::to_string(code) + ")");
            continueUpgrade = lostFileConsent;
        };
        engine.OnProgress = [this](QObject*, const std::string& url, std::int32_t, std::int32_t,
                                   std::int32_t, std::int32_t, std::uint8_t percents,
                                   std::uint8_t total, float) {
            progress.push_back({url, percents, total});
        };
    }

    static std::string Url(const std::string& path) { return nginx->Url("/" + path); }
    std::string Dest(const std::string& name) const {
        return dir.filePath(QString::fromStdString(name)).toStdString();
    }
    static std::string AppFile(const std::string& name) { return ApplicationFolder() + name; }
    // A name in the application folder that no other test program uses.
    std::string UniqueAppName(const std::string& name) {
        appFiles.push_back("renovator-engine-" + std::to_string(::getpid()) + "-" + name);
        return appFiles.back();
    }

    // Publishes a release file under /rel/, signed for release 1.2.1.3, and
    // returns its bytes.
    static std::string Serve(const std::string& name, std::size_t size) {
        const std::string bytes = PatternBytes(name.size(), size);
        const QString path = nginx->WwwPath(QString::fromStdString("rel/" + name));
        WriteFileBytes(path, bytes);
        EXPECT_TRUE(SignReleaseFile(path, name.substr(name.rfind('/') + 1), kRelease));
        return bytes;
    }
    // The info file: the lines, each ended by CR LF, signed for the release
    // its "#version" line names.
    static void PublishInfo(const std::vector<std::string>& lines) {
        std::string text, release;
        for (const std::string& line : lines) {
            text += line + "\r\n";
            if (line.starts_with("#version=")) release = line.substr(9);
        }
        WriteFileBytes(nginx->WwwPath("update.inf"), text);
        EXPECT_TRUE(SignReleaseFile(nginx->WwwPath("update.inf"), "update.inf", release));
    }

    // Runs the event loop until the log holds the entry, then a little longer so
    // that anything raised after it shows up too.
    bool Settle(const std::string& last) {
        const bool reached =
            PumpUntil([&] { return std::find(log.begin(), log.end(), last) != log.end(); });
        PumpFor(100ms);
        return reached;
    }
    // CheckUpdate(true), failing instead of hanging when nothing releases it.
    bool CheckUpdateWaiting() {
        bool expired = false;
        QTimer watchdog;
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, [&] {
            expired = true;
            static_cast<TkuRenovatorWizardHost&>(engine).ReleaseWait();
        });
        watchdog.start(10s);
        const bool available = engine.CheckUpdate(true);
        EXPECT_FALSE(expired) << "the waiting check was never released";
        return available;
    }
    std::string Log() const {
        std::string joined;
        for (const std::string& entry : log) joined += entry + "\n";
        return joined;
    }

    static inline std::unique_ptr<QTemporaryDir> temp;
    static inline std::unique_ptr<TLoopbackServer> loopback;
    static inline std::unique_ptr<TNginxServer> nginx;

    // Inside the temporary folder, where a release may write.
    QTemporaryDir dir{temp->filePath("dest-XXXXXX")};
    std::vector<std::string> appFiles;
    std::vector<std::string> log;
    std::vector<std::string> targets;
    std::vector<TProgressStep> progress;
    bool lostFileConsent = false;
    TScriptedRenovatorDialogs dialogs{log};
    TkuRenovator engine;
};

}  // namespace tessaro::test
