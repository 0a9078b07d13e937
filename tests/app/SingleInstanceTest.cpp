#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTest>

#include "WindowTestSupport.h"
#include "app/SingleInstance.h"

namespace tessaro::testing {
namespace {

const QString kProgram = QStringLiteral(TESSARO_BIN_DIR "/tessaro");

// Waits for the process to end while this program goes on serving requests.
void WaitForEnd(QProcess& process) {
    if (process.state() != QProcess::NotRunning) {
        QSignalSpy finished(&process, &QProcess::finished);
        ASSERT_TRUE(finished.wait(60000)) << process.readAllStandardError().toStdString();
    }
}

// The first program is killed and leaves its lock and socket behind; this one takes over and
// a second start hands its files to it.
TEST(SingleInstanceTest, StaleLockIsTakenOverAndASecondStartHandsItsFilesOver) {
    ScopedUser user;
    QProcess killed;
    killed.start(kProgram, {});
    ASSERT_TRUE(killed.waitForStarted());
    const QString socket = user.QPath("runtime/tessaro-instance");
    QDeadlineTimer deadline(30000);
    while (!QFileInfo::exists(socket) && !deadline.hasExpired()) QTest::qWait(20);
    ASSERT_TRUE(QFileInfo::exists(socket)) << killed.readAllStandardError().toStdString();
    killed.kill();
    WaitForEnd(killed);

    SingleInstance instance(SingleInstance::DefaultFolder());
    ASSERT_TRUE(instance.BecomeFirstOrForward({}));
    EXPECT_TRUE(instance.IsListening());
    EXPECT_EQ(instance.DefaultFolder(), user.QPath("runtime"));
    TMainForm form;
    QObject::connect(&instance, &SingleInstance::Activated, &form,
                     &TMainForm::ActivateFromInstance);
    form.show();
    form.showMinimized();
    QSignalSpy added(&form, &TMainForm::AddingFinished);
    QProcess second;
    second.setWorkingDirectory(QStringLiteral(TESSARO_CORPUS_DIR));
    // A name relative to the second start's folder must still find its file.
    second.start(kProgram, {QStringLiteral("xvid.avi"), CorpusPath("b.mkv")});
    WaitForEnd(second);
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(static_cast<signed char>(second.exitCode()), -1);
    ASSERT_TRUE(added.count() > 0 || added.wait(60000));
    EXPECT_EQ(ColumnTexts(*JobList(form), 0),
              QStringList({CorpusPath("xvid.avi"), CorpusPath("b.mkv")}));
    EXPECT_FALSE(form.isMinimized()) << "the first window is restored";
}

}  // namespace
}  // namespace tessaro::testing
