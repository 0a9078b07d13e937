#pragma once

#include <QDir>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <set>

#include "WindowTestSupport.h"
#include "encode/RecordingRunView.h"

namespace tessaro::testing {

// A user whose output folder is set and whose PATH finds the program's tools.
class EncodingUser : public ScopedUser {
public:
    EncodingUser()
        : path_("PATH",
                (std::string(TESSARO_BIN_DIR) + ":" + qEnvironmentVariable("PATH").toStdString())
                    .c_str()) {
        QDir().mkpath(QPath("home/out"));
        WriteText(ProfileFile(), "[Config]\nOutputFolder=" + Path("home/out") + "\n");
    }

    // English texts for the end of a run, so that the idle state can be told apart.
    std::string LanguageFile() const {
        const std::string path = Path("home/LangJ.ini");
        WriteText(path,
                  "[Language]\nCount=2\nLang_0=English\nLang_1=Japanese\n"
                  "[English]\nStatus1=Run stopped\nStatus2=Run completed\n");
        return path;
    }

private:
    ScopedEnv path_;
};

// An XviD clip long enough that a run is still going when Stop arrives.
inline QString MakeLongClip(const QString& path) {
    QProcess ffmpeg;
    ffmpeg.start(QStringLiteral("ffmpeg"), {"-nostdin", "-loglevel", "error", "-y", "-f", "lavfi",
                                            "-i", "testsrc=size=1280x720:rate=25", "-t", "40",
                                            "-c:v", "mpeg4", "-vtag", "XVID", "-q:v", "12", path});
    EXPECT_TRUE(ffmpeg.waitForFinished(120000));
    EXPECT_EQ(ffmpeg.exitCode(), 0) << ffmpeg.readAllStandardError().toStdString();
    return path;
}

// What the window looked like while its run was going on.
struct RunObservation {
    bool encodeEnabled = true;
    bool exitEnabled = true;
    bool updateEnabled = true;
    bool stopEnabled = false;
    bool closed = true;
    std::set<QString> panelTexts;
};

// Watches the run from inside it: every check runs from the window's own
// event loop while the script is going.
inline void ObserveRun(TMainForm& form, RunObservation& seen,
                       const std::function<void()>& duringRun = {}) {
    QObject::connect(&form, &TMainForm::RunStarted, &form, [&form, &seen, duringRun] {
        seen.encodeEnabled = Control<QPushButton>(form, "Button1")->isEnabled();
        seen.exitEnabled = Control<QPushButton>(form, "Button6")->isEnabled();
        seen.updateEnabled = Control<QPushButton>(form, "UpdateButton")->isEnabled();
        seen.stopEnabled = Control<QPushButton>(form, "Button2")->isEnabled();
        auto* poll = new QTimer(&form);
        QObject::connect(poll, &QTimer::timeout, &form, [&form, &seen, poll] {
            if (!form.Running()) {
                poll->deleteLater();
                return;
            }
            seen.closed = seen.closed && form.close();
            for (int panel : {0, 1}) {
                if (!PanelText(form, panel).isEmpty()) {
                    seen.panelTexts.insert(PanelText(form, panel));
                }
            }
        });
        poll->start(10);
        if (duringRun) {
            duringRun();
        }
    });
}

}  // namespace tessaro::testing
