#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QThread>
#include <QTimer>

#include <signal.h>
#include <unistd.h>

#include <optional>

#include "WindowTestSupport.h"
#include "update/LoopbackServers.h"
#include "update/ReleaseSigning.h"
#include "update/helper/kuUpdateHelper.h"

namespace tessaro::testing {
namespace {

constexpr const char* kChildVariable = "TESSARO_UPDATE_TEST_CHILD";
constexpr const char* kNewerRelease = "1.2.1.3";

bool IsChild() {
    return qEnvironmentVariableIsSet(kChildVariable);
}

QWidget* VisibleTopLevel(const char* objectName) {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->isVisible() && widget->objectName() == QLatin1String(objectName)) return widget;
    return nullptr;
}

// Answers the dialogs of an update as a user who wants it would: Yes to the
// question, OK on the completion page. Any message box is a failure.
class UpdatingUser final {
public:
    void Step() {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            unexpected = box->text().toStdString();
            box->reject();
            return;
        }
        if (QWidget* question = VisibleTopLevel("kuRenovatorUpgradeMessageForm")) {
            askedQuestion = true;
            question->findChild<QPushButton*>(QStringLiteral("YesBtn"))->click();
            return;
        }
        QWidget* wizard = VisibleTopLevel("kuRenovatorWizardForm");
        if (!wizard) return;
        sawWizard = true;
        auto* finish = wizard->findChild<QPushButton*>(QStringLiteral("FinishBtn"));
        if (finish->isEnabled()) finish->click();
    }

    bool askedQuestion = false;
    bool sawWizard = false;
    std::optional<std::string> unexpected;
};

// Runs in the copy of this program inside the install folder: the real window
// presses its update button, and the program must end with the helper started.
TEST(SelfUpdateChild, UpdateButtonDownloadsStartsTheHelperAndCloses) {
    if (!IsChild()) GTEST_SKIP() << "runs inside the install folder only";
    TMainForm form;
    form.show();
    UpdatingUser user;
    QTimer answers;
    QObject::connect(&answers, &QTimer::timeout, [&user] { user.Step(); });
    answers.start(20);
    form.findChild<QPushButton*>(QStringLiteral("UpdateButton"))->click();
    QElapsedTimer elapsed;
    elapsed.start();
    while (form.isVisible() && !user.unexpected && elapsed.elapsed() < 90000) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    answers.stop();
    EXPECT_FALSE(user.unexpected) << user.unexpected.value_or("");
    EXPECT_TRUE(user.askedQuestion);
    EXPECT_TRUE(user.sawWizard);
    EXPECT_FALSE(form.isVisible()) << "the program must close for the helper";
    EXPECT_TRUE(QFile::exists(QString::fromStdString(UpdateHelperPath())));
}

QString BinPath(const char* name) {
    return QStringLiteral(TESSARO_BIN_DIR "/") + QLatin1String(name);
}

std::vector<std::string> CommandLineOf(const QString& pid) {
    const std::string text = ReadText("/proc/" + pid.toStdString() + "/cmdline");
    std::vector<std::string> arguments;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = text.find('\0', at);
        arguments.push_back(text.substr(at, end - at));
        at = end == std::string::npos ? text.size() : end + 1;
    }
    return arguments;
}

// The process started as `program` with `parameter` as its first argument.
pid_t FindStarted(const QString& program, const std::string& parameter) {
    for (const QString& pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool number = false;
        const pid_t id = pid.toInt(&number);
        if (!number || id == ::getpid()) continue;
        const std::vector<std::string> arguments = CommandLineOf(pid);
        if (arguments.size() >= 2 && arguments[0] == program.toStdString() &&
            arguments[1] == parameter)
            return id;
    }
    return 0;
}

pid_t WaitForStart(const QString& program, const std::string& parameter) {
    QElapsedTimer elapsed;
    elapsed.start();
    while (elapsed.elapsed() < 60000) {
        if (const pid_t pid = FindStarted(program, parameter)) return pid;
        QThread::msleep(50);
    }
    return 0;
}

void EndProcess(pid_t pid) {
    ::kill(pid, SIGTERM);
    for (int i = 0; i < 200 && ::kill(pid, 0) == 0; ++i) QThread::msleep(50);
    ::kill(pid, SIGKILL);
}

bool Executable(const QString& path) {
    return QFileInfo(path).permissions().testFlag(QFileDevice::ExeOwner);
}

QStringList LeftDownloads(const QString& folder) {
    QStringList found;
    QDirIterator it(folder, {QStringLiteral("*.uTMP")}, QDir::Files | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) found.append(it.next());
    return found;
}

// A release on a real server on loopback, an install folder holding a copy of
// this program (which builds the real window) with its tools, and the update
// helper doing its work for real: afterwards the folder holds the release and
// the new program runs with "/afterupgrade".
class SelfUpdate : public ::testing::Test {
protected:
    void SetUp() override {
        if (IsChild()) GTEST_SKIP();
        ASSERT_TRUE(nginx_.Running());
        install_ = user_.QPath("install program+1");
        ASSERT_TRUE(QDir().mkpath(install_));
        ASSERT_TRUE(QFile::copy(QStringLiteral("/proc/self/exe"), Installed("tessaro")));
        for (const char* tool : {"charshift", "fastcopy", "avifinish", "LangJ.ini"})
            ASSERT_TRUE(QFile::copy(BinPath(tool), Installed(tool))) << tool;
        Publish();
    }

    QString Installed(const QString& name) const { return install_ + "/" + name; }
    QString Served(const QString& name) const { return nginx_.WwwPath("upgrade/tessaro/" + name); }

    void Publish() {
        ASSERT_TRUE(QDir().mkpath(nginx_.WwwPath("upgrade/tessaro")));
        ASSERT_TRUE(QFile::copy(BinPath("tessaro"), Served("tessaro")));
        ASSERT_TRUE(QFile::copy(BinPath("charshift"), Served("charshift")));
        language_ = ReadText(BinPath("LangJ.ini").toStdString()) + "\r\n; release 1.2.1.3\r\n";
        WriteText(Served("LangJ.ini").toStdString(), language_);
        WriteText(Served("readme.txt").toStdString(), "Tessaro 1.2.1.3\n");
        const std::string files = nginx_.Url("/upgrade/tessaro/");
        WriteText(nginx_.WwwPath("upgrade/tessaro.inf").toStdString(),
                  std::string("#version=") + kNewerRelease + "\r\n#url=" + files + "tessaro\r\n" +
                      "#url2=" + files + "LangJ.ini=%current%LangJ.ini\r\n" + "#url3=" + files +
                      "readme.txt=%current%docs/readme.txt\r\n" + "#url4=" + files + "charshift\r\n" +
                      "#message={A release for this test.}\r\n");
        ASSERT_TRUE(test::SignReleaseFile(nginx_.WwwPath("upgrade/tessaro.inf"), "tessaro.inf",
                                          kNewerRelease));
        for (const char* name : {"tessaro", "LangJ.ini", "readme.txt", "charshift"})
            ASSERT_TRUE(test::SignReleaseFile(Served(name), name, kNewerRelease)) << name;
    }

    ScopedUser user_;
    test::TNginxServer nginx_{"    location / { }"};
    QString install_;
    std::string language_;
};

TEST_F(SelfUpdate, UpdateButtonReplacesTheProgramAndStartsItAgain) {
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(kChildVariable), QStringLiteral("1"));
    environment.insert(QStringLiteral("TESSARO_UPDATE_SERVER"),
                       QString::fromStdString(nginx_.Url("")));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    program.setProcessEnvironment(environment);
    program.setProcessChannelMode(QProcess::MergedChannels);
    program.start(Installed("tessaro"), {QStringLiteral("--gtest_filter=SelfUpdateChild.*")});
    ASSERT_TRUE(program.waitForFinished(120000));
    const QString output = QString::fromLocal8Bit(program.readAll());
    ASSERT_EQ(program.exitCode(), 0) << output.toStdString();
    ASSERT_TRUE(output.contains(QStringLiteral("[  PASSED  ] 1 test"))) << output.toStdString();

    const pid_t restarted = WaitForStart(Installed("tessaro"), "/afterupgrade");
    ASSERT_NE(restarted, 0) << "the new program was not started with /afterupgrade";
    EndProcess(restarted);

    EXPECT_EQ(ReadText(Installed("tessaro").toStdString()),
              ReadText(BinPath("tessaro").toStdString()));
    EXPECT_EQ(ReadText(Installed("charshift").toStdString()),
              ReadText(BinPath("charshift").toStdString()));
    EXPECT_TRUE(Executable(Installed("tessaro")));
    EXPECT_TRUE(Executable(Installed("charshift")));
    EXPECT_EQ(ReadText(Installed("LangJ.ini").toStdString()), language_);
    EXPECT_EQ(ReadText(Installed("docs/readme.txt").toStdString()), "Tessaro 1.2.1.3\n");
    EXPECT_TRUE(LeftDownloads(install_).isEmpty())
        << LeftDownloads(install_).join(' ').toStdString();
    // The tools the release does not list stay as they were.
    EXPECT_EQ(ReadText(Installed("fastcopy").toStdString()),
              ReadText(BinPath("fastcopy").toStdString()));
}

}  // namespace
}  // namespace tessaro::testing
