#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <csignal>

#include "WindowTestSupport.h"

namespace tessaro::testing {
namespace {

// The program itself, told by a signal that the session ends: it closes the
// normal way, saving the profile, and exits cleanly. (A run stopped on the way
// is EncodeWindowTest's.)
TEST(SessionEndTest, TermIntAndHupCloseTheProgramTheNormalWay) {
    for (const int signalNumber : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(signalNumber);
        ScopedUser user;
        WriteText(user.ProfileFile(), "[Config]\nFileDetails=1\n");
        QProcess program;
        program.setProgram(QStringLiteral(TESSARO_BIN_DIR "/tessaro"));
        program.setArguments({CorpusPath("xvid.avi")});
        program.start();
        ASSERT_TRUE(program.waitForStarted(10000));
        // The entry is written while the window is built, after the signals are taken.
        QElapsedTimer waited;
        waited.start();
        while (!QFileInfo::exists(user.DesktopEntry()) && waited.elapsed() < 30000)
            QThread::msleep(20);
        ASSERT_TRUE(QFileInfo::exists(user.DesktopEntry()));
        ::kill(static_cast<pid_t>(program.processId()), signalNumber);
        ASSERT_TRUE(program.waitForFinished(30000));
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();
        const std::string profile = ReadText(user.ProfileFile());
        EXPECT_THAT(profile, HasSubstr("FileDetails=1"));
        EXPECT_THAT(profile, HasSubstr("LanguageValue=")) << "written by the program";
    }
}

}  // namespace
}  // namespace tessaro::testing
