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

class SingleInstanceTest : public ::testing::Test {
protected:
    // Waits for the process to end while this program goes on serving requests.
    static void WaitForEnd(QProcess& process) {
        if (process.state() != QProcess::NotRunning) {
            QSignalSpy finished(&process, &QProcess::finished);
            ASSERT_TRUE(finished.wait(60000)) << process.readAllStandardError().toStdString();
        }
    }

    QString SocketPath() const { return user.QPath("runtime/tessaro-instance"); }

    ScopedUser user;
};

TEST_F(SingleInstanceTest, SecondStartHandsItsFilesOverAndEndsWithMinusOne) {
    SingleInstance instance(SingleInstance::DefaultFolder());
    ASSERT_TRUE(instance.BecomeFirstOrForward({}));
    ASSERT_TRUE(instance.IsListening());
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

TEST_F(SingleInstanceTest, RunningProgramReceivesALaterStartAndAStaleLockIsTakenOver) {
    QProcess first;
    first.start(kProgram, {});
    ASSERT_TRUE(first.waitForStarted());
    QDeadlineTimer deadline(30000);
    while (!QFileInfo::exists(SocketPath()) && !deadline.hasExpired()) {
        QTest::qWait(20);
    }
    ASSERT_TRUE(QFileInfo::exists(SocketPath())) << first.readAllStandardError().toStdString();

    {
        SingleInstance later(SingleInstance::DefaultFolder());
        EXPECT_FALSE(later.BecomeFirstOrForward({CorpusPath("xvid.avi")}))
            << "handed to the running program";
        EXPECT_FALSE(later.IsListening());
    }
    first.kill();  // dies without cleaning up: its lock and socket stay behind
    WaitForEnd(first);

    SingleInstance next(SingleInstance::DefaultFolder());
    EXPECT_TRUE(next.BecomeFirstOrForward({}));
    EXPECT_TRUE(next.IsListening());
}

}  // namespace
}  // namespace tessaro::testing
