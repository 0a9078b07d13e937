#include <gtest/gtest.h>

#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QProcess>
#include <QProgressBar>
#include <QRegularExpression>
#include <QTimer>
#include <set>
#include <thread>

#include <signal.h>
#include <unistd.h>

#include "WindowTestSupport.h"
#include "app/RunProgressView.h"
#include "app/SessionEndSignals.h"
#include "app/ShutdownCountdown.h"
#include "platform/DesktopNotifier.h"
#include "platform/PowerManager.h"

namespace tessaro::testing {
namespace {

// A user whose output folder is set, whose PATH finds the program's tools, and whose
// language file gives the end of a run English texts so that idle can be told apart.
class EncodingUser : public ScopedUser {
public:
    EncodingUser() {
        const std::string path = std::string(TESSARO_BIN_DIR) + ":" + qgetenv("PATH").toStdString();
        env_.push_back(std::make_unique<ScopedEnv>("PATH", path.c_str()));
        QDir().mkpath(QPath("home/out"));
        WriteText(ProfileFile(), "[Config]\nOutputFolder=" + Path("home/out") + "\n");
        WriteText(Path("home/LangJ.ini"),
                  "[Language]\nCount=2\nLang_0=English\nLang_1=Japanese\n"
                  "[English]\nStatus1=Run stopped\nStatus2=Run completed\n");
    }

    QStringList OutputFiles() const { return QDir(QPath("home/out")).entryList(QDir::Files); }
};

// Powering off is the one thing faked: it records what the profile held at that moment.
struct ProfileAtPowerOff final : platform::IPowerManager {
    bool PowerOff() override {
        profiles.push_back(ReadText(file));
        return true;
    }
    std::string file;
    std::vector<std::string> profiles;
};

// What a user looking elsewhere would have been told.
struct RecordingNotifier final : platform::INotifier {
    bool Notify(const std::string& summary, const std::string& body) override {
        messages.push_back(summary + "|" + body);
        return true;
    }
    std::vector<std::string> messages;
};

class EncodeWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        power.file = user.ProfileFile();
        form.LoadLanguage(0, user.Path("home/LangJ.ini"));
        form.show();
    }

    // Calls tick every few milliseconds from the window's own event loop while a run goes on.
    void WhileRunning(const std::function<void()>& tick) {
        QObject::connect(&ticks, &QTimer::timeout, [this, tick] {
            if (form.Running()) tick();
        });
        ticks.start(5);
    }

    EncodingUser user;
    ProfileAtPowerOff power;
    RecordingNotifier notifier;
    TMainForm form{nullptr, &power, &notifier};
    QTimer ticks;
};

// An XviD clip long enough that a run is still going when something arrives
// during it; empty when ffmpeg failed.
QString LongClip(const EncodingUser& user, int seconds) {
    const QString clip = user.QPath("home/long.avi");
    const int made = QProcess::execute(
        "ffmpeg",
        {"-nostdin", "-loglevel", "error", "-f", "lavfi", "-i", "testsrc=size=1280x720:rate=25",
         "-t", QString::number(seconds), "-c:v", "mpeg4", "-vtag", "XVID", "-q:v", "12", clip});
    return made == 0 ? clip : QString();
}

// Command lines of the processes still running that mention the folder.
QStringList ProcessesUsing(const QString& folder) {
    QStringList found;
    for (const QString& process : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile file(QStringLiteral("/proc/") + process + QStringLiteral("/cmdline"));
        const QByteArray text = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        if (text.contains(folder.toUtf8())) found.append(QString::fromUtf8(text));
    }
    return found;
}

TEST_F(EncodeWindowTest, EncodeNeedsRowsAndMenuEntriesConvertOnlyTheirRowsWithMencoder) {
    auto* menu = Control<QMenu>(form, "PopupMenu1");
    emit menu->aboutToShow();
    EXPECT_FALSE(Control<QAction>(form, "Item4")->isEnabled());
    Button(form, "Button1")->click();
    EXPECT_EQ(user.TempEntries(), QStringList()) << "an empty list does nothing";
    EXPECT_EQ(PanelText(form, 0), "");
    AddAndWait(form, {CorpusPath("xvid.avi"), CorpusPath("hd720.avi"), CorpusPath("mpeg1.mpg")});
    auto* list = JobList(form);
    ASSERT_EQ(list->topLevelItem(1)->text(6), "No");
    list->setCurrentItem(list->topLevelItem(1));
    emit menu->aboutToShow();
    EXPECT_TRUE(Control<QAction>(form, "Item4")->isEnabled());
    std::set<QString> enabledDuringRun, panelsDuringRun;
    bool closedDuringRun = false;
    QString barDuringRun;
    WhileRunning([&] {
        const QString barText = Control<QProgressBar>(form, "RunProgressBar")->text();
        if (barText.contains("ETA")) barDuringRun = barText;
        for (const char* name : {"Button1", "Button2", "Button6", "UpdateButton"})
            if (Button(form, name)->isEnabled()) enabledDuringRun.insert(name);
        panelsDuringRun.insert(PanelText(form, 0));
        closedDuringRun = closedDuringRun || form.close();
    });
    Control<QAction>(form, "Item4")->trigger();

    EXPECT_EQ(user.OutputFiles(), QStringList({"hd720_XviD.avi"}));
    EXPECT_GT(QFileInfo(user.QPath("home/out/hd720_XviD.avi")).size(), 0);
    // Only the row that was a job shows a state; the texts of the rows stay the job store.
    const auto state = [&](int row) {
        return list->topLevelItem(row)->data(0, RunProgressView::kStateRole);
    };
    EXPECT_EQ(state(1), QVariant(static_cast<int>(JobState::done)));
    EXPECT_FALSE(state(0).isValid());
    EXPECT_FALSE(state(2).isValid());
    EXPECT_EQ(list->topLevelItem(1)->text(6), "No");
    EXPECT_FALSE(list->topLevelItem(1)->icon(0).isNull());
    auto* bar = Control<QProgressBar>(form, "RunProgressBar");
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->text(), "100%");
    EXPECT_TRUE(barDuringRun.contains("ETA ")) << barDuringRun.toStdString();
    EXPECT_EQ(enabledDuringRun, std::set<QString>({"Button2"})) << "only Stop during a run";
    EXPECT_FALSE(closedDuringRun) << "the window must not close during a run";
    EXPECT_TRUE(panelsDuringRun.count(QStringLiteral("Job:1/1"))) << "job text shown live";
    EXPECT_EQ(PanelText(form, 0), "Run completed");
    EXPECT_EQ(PanelText(form, 1), "");
    EXPECT_TRUE(Button(form, "Button1")->isEnabled());
    EXPECT_TRUE(Button(form, "Button6")->isEnabled());
    EXPECT_FALSE(Button(form, "Button2")->isEnabled());

    ASSERT_TRUE(QFile::remove(user.QPath("home/out/hd720_XviD.avi")));
    QAction* codecGroup = Control<QAction>(form, "Item6")->menu()->actions().at(1);
    ASSERT_EQ(codecGroup->text(), "Codec");
    // xvid.avi carries the same codec id as hd720.avi, so the group lists each value once.
    EXPECT_EQ(codecGroup->menu()->actions().size(), 2);
    for (QAction* value : codecGroup->menu()->actions())
        if (value->text() == list->topLevelItem(1)->text(2)) value->trigger();
    // xvid.avi needs no conversion.
    EXPECT_TRUE(user.OutputFiles().contains("hd720_XviD.avi"));
    EXPECT_FALSE(user.OutputFiles().contains("mpeg1_XviD.avi"));
    EXPECT_TRUE(power.profiles.empty());
    EXPECT_TRUE(form.close());
    EXPECT_EQ(user.TempEntries(), QStringList()) << "completed runs leave nothing behind";
}

TEST_F(EncodeWindowTest, RowsConvertSideBySideUnderOneBarWithThePercentAndEta) {
    if (std::thread::hardware_concurrency() < 2) GTEST_SKIP() << "one core runs one job at once";
    QComboBox* jobsAtOnce = Combo(form, "ComboBox5");
    jobsAtOnce->setCurrentIndex(jobsAtOnce->findText("2"));
    const QString first = LongClip(user, 8), second = user.QPath("home/second.avi");
    ASSERT_FALSE(first.isEmpty());
    ASSERT_TRUE(QFile::copy(first, second));
    AddAndWait(form, {first, second});
    auto* list = JobList(form);
    auto* bar = Control<QProgressBar>(form, "RunProgressBar");
    const auto state = [&](int row) {
        return list->topLevelItem(row)->data(0, RunProgressView::kStateRole);
    };
    const QVariant converting(static_cast<int>(JobState::converting));
    QString barWhileBoth, panelWhileBoth;
    WhileRunning([&] {
        // The first moment both run: by the last one the encoders may both have reached 100 %.
        if (!barWhileBoth.isEmpty() || state(0) != converting || state(1) != converting ||
            !bar->text().contains("ETA"))
            return;
        barWhileBoth = bar->text();
        panelWhileBoth = PanelText(form, 0);
    });
    Button(form, "Button1")->click();

    const QRegularExpressionMatch figures =
        QRegularExpression("^(\\d+)%  ETA \\d+:\\d\\d$").match(barWhileBoth);
    ASSERT_TRUE(figures.hasMatch()) << barWhileBoth.toStdString();
    EXPECT_LT(figures.captured(1).toInt(), 100);
    EXPECT_EQ(panelWhileBoth, "Job:1+2/2");
    for (int row : {0, 1}) EXPECT_EQ(state(row), QVariant(static_cast<int>(JobState::done))) << row;
    EXPECT_EQ(bar->text(), "100%");
    EXPECT_EQ(PanelText(form, 0), "Run completed");
    EXPECT_EQ(user.OutputFiles(), QStringList({"long_XviD.avi", "second_XviD.avi"}));
}

TEST_F(EncodeWindowTest, AFailedJobIsCountedAndCloseKeepsOnlyItsLog) {
    const QString notes = user.QPath("home/notes.avi");
    WriteText(notes.toStdString(), "a text file renamed to look like a video\n");
    AddAndWait(form, {notes, CorpusPath("xvid.avi")});
    Button(form, "Button1")->click();
    EXPECT_EQ(PanelText(form, 0), "1/2 failed");
    EXPECT_EQ(user.OutputFiles(), QStringList({"xvid.avi"}));
    const QStringList kept = user.TempEntries();
    // The run's folder with the last tool's log, the failed job's log, the record and the script.
    ASSERT_EQ(kept.size(), 5) << kept.join(' ').toStdString();
    EXPECT_TRUE(kept[2].endsWith("/failed-1.txt"));
    EXPECT_TRUE(kept[4].endsWith("/~tmp86CB.sh"));
    EXPECT_TRUE(form.close());
    EXPECT_EQ(user.TempEntries(), kept.mid(0, 4)) << "close deletes the script, the logs stay";
}

TEST_F(EncodeWindowTest, ListStaysUsableAndStopEndsTheWholeRunAndSkipsTheShutdown) {
    const QString clip = LongClip(user, 40);
    ASSERT_FALSE(clip.isEmpty());
    Button(form, "CheckBox1")->click();
    AddAndWait(form, {clip});
    int rowsDuringRun = -1;
    // Once the encoder reports: add a file, then stop.
    WhileRunning([&] {
        if (rowsDuringRun < 0 && PanelText(form, 1).startsWith(QStringLiteral("Pos"))) {
            AddAndWait(form, {CorpusPath("xvid.avi")});
            rowsDuringRun = JobList(form)->topLevelItemCount();
            Button(form, "Button2")->click();
        }
    });
    Button(form, "Button1")->click();

    EXPECT_EQ(rowsDuringRun, 2);
    EXPECT_EQ(PanelText(form, 0), "Run stopped");
    EXPECT_EQ(JobList(form)->topLevelItem(0)->data(0, RunProgressView::kStateRole),
              QVariant(static_cast<int>(JobState::stopped)));
    EXPECT_FALSE(JobList(form)->topLevelItem(1)->data(0, RunProgressView::kStateRole).isValid())
        << "added during the run: not one of its jobs";
    EXPECT_EQ(PanelText(form, 1), "");
    EXPECT_TRUE(power.profiles.empty());
    EXPECT_FALSE(form.EndedForPowerOff());
    EXPECT_EQ(ProcessesUsing(user.QPath("home")), QStringList());
    EXPECT_TRUE(Button(form, "Button1")->isEnabled());
}

TEST_F(EncodeWindowTest, APowerOffCountsDownAndCancelKeepsTheComputerOnAndAnAbsentUserHearsOfIt) {
    QWidget elsewhere;
    elsewhere.show();
    QApplication::setActiveWindow(&elsewhere);
    Button(form, "CheckBox1")->click();
    form.powerOffCountdownSeconds = 30;
    AddAndWait(form, {CorpusPath("xvid.avi")});
    QString shown;
    QTimer cancel;
    QObject::connect(&cancel, &QTimer::timeout, [&] {
        auto* countdown = form.findChild<ShutdownCountdown*>();
        if (countdown == nullptr || !countdown->isVisible()) return;
        shown = Control<QLabel>(*countdown, "CountdownMessage")->text();
        Button(*countdown, "CountdownCancel")->click();
    });
    cancel.start(20);
    Button(form, "Button1")->click();
    EXPECT_EQ(shown, "Run completed\nThe computer powers off in 30 s.");
    EXPECT_TRUE(power.profiles.empty());
    EXPECT_FALSE(form.EndedForPowerOff());
    EXPECT_EQ(notifier.messages,
              (std::vector<std::string>{"Tessaro|Run completed: the computer powers off in 30 s",
                                        "Tessaro|Run completed"}));
    // With the window in front nothing is sent.
    Button(form, "CheckBox1")->click();
    QApplication::setActiveWindow(&form);
    notifier.messages.clear();
    Button(form, "Button1")->click();
    EXPECT_TRUE(notifier.messages.empty());
}

// The session ending mid-run closes the window the normal way, the run stopped first.
TEST_F(EncodeWindowTest, SessionEndStopsTheRunThenSavesAndDeletesTheScript) {
    const QString clip = LongClip(user, 30);
    ASSERT_FALSE(clip.isEmpty());
    SessionEndSignals sessionEnd;
    QObject::connect(&sessionEnd, &SessionEndSignals::SessionEnding, &form, &TMainForm::EndSession);
    Button(form, "CheckBox1")->click();
    AddAndWait(form, {clip});
    bool signalled = false;
    WhileRunning([&] {
        if (!signalled && PanelText(form, 1).startsWith(QStringLiteral("Pos")))
            signalled = ::kill(::getpid(), SIGTERM) == 0;
    });
    Button(form, "Button1")->click();

    EXPECT_TRUE(signalled);
    EXPECT_EQ(PanelText(form, 0), "Run stopped");
    EXPECT_FALSE(form.isVisible()) << "closed once the run ended";
    EXPECT_THAT(ReadText(user.ProfileFile()), HasSubstr("VideoBitrate=0"));
    EXPECT_TRUE(power.profiles.empty()) << "a stopped run never powers off";
    EXPECT_TRUE(user.TempEntries().filter(QStringLiteral("~tmp86CB.sh")).isEmpty())
        << user.TempEntries().join(' ').toStdString();
    EXPECT_EQ(ProcessesUsing(user.QPath("home")), QStringList());
}

// Solo tests need a process of their own (app.cmake starts one each): the program ends
// itself after asking for power-off.
TEST_F(EncodeWindowTest, SoloShutdownAfterACompletedRunSavesTheSettingsFirst) {
    if (!qEnvironmentVariableIsSet("TESSARO_SOLO_PROCESS")) GTEST_SKIP() << "runs alone";
    Button(form, "CheckBox1")->click();
    form.powerOffCountdownSeconds = 1;
    Combo(form, "ComboBox2")->setCurrentIndex(4);
    AddAndWait(form, {CorpusPath("xvid.avi")});
    Button(form, "Button1")->click();
    ASSERT_EQ(power.profiles.size(), 1u);
    EXPECT_THAT(power.profiles[0], HasSubstr("VideoBitrate=4"));
    EXPECT_TRUE(form.EndedForPowerOff());
    EXPECT_FALSE(form.isVisible());
}

// Solo as well: the library is bound once per process.
TEST(SoloDetailsTest, PaneShowsTheBindingsFallbackLine) {
    if (!qEnvironmentVariableIsSet("TESSARO_SOLO_PROCESS")) GTEST_SKIP() << "runs alone";
    ScopedUser user;
    ScopedEnv missing("TESSARO_MEDIAINFO_LIBRARY", user.Path("home/no-such-library.so").c_str());
    TMainForm form;
    form.show();
    Button(form, "CheckBox2")->click();
    AddAndWait(form, {CorpusPath("xvid.avi")});
    ASSERT_EQ(JobList(form)->topLevelItemCount(), 1);
    JobList(form)->setCurrentItem(JobList(form)->topLevelItem(0));
    EXPECT_EQ(DetailsText(form), "Unable to load MediaInfo.dll");
}

}  // namespace
}  // namespace tessaro::testing
