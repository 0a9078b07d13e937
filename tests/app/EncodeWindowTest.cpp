#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDirIterator>
#include <QFileInfo>
#include <QMenu>

#include "EncodeSupport.h"

namespace tessaro::testing {
namespace {

class EncodeWindowTest : public ::testing::Test {
protected:
    EncodingUser user;
    RecordingPowerManager power;
};

// Command lines of the processes still running that mention the folder.
QStringList ProcessesUsing(const QString& folder) {
    QStringList found;
    QDirIterator processes(QStringLiteral("/proc"), QDir::Dirs | QDir::NoDotAndDotDot);
    while (processes.hasNext()) {
        QFile commandLine(processes.next() + QStringLiteral("/cmdline"));
        if (commandLine.open(QIODevice::ReadOnly)) {
            const QString text = QString::fromLocal8Bit(commandLine.readAll().replace('\0', ' '));
            if (text.contains(folder)) {
                found.append(text);
            }
        }
    }
    return found;
}

TEST_F(EncodeWindowTest, EncodeWithAnEmptyListDoesNothing) {
    TMainForm form(nullptr, &power);
    form.LoadLanguage(0, user.LanguageFile());
    Control<QPushButton>(form, "Button1")->click();
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(user.ScriptFile())));
    EXPECT_EQ(PanelText(form, 0), "");
    EXPECT_FALSE(Control<QPushButton>(form, "Button2")->isEnabled());
}

TEST_F(EncodeWindowTest, EncodeConvertsTheListWithMencoderAndComesBackIdle) {
    TMainForm form(nullptr, &power);
    form.LoadLanguage(0, user.LanguageFile());
    form.show();
    AddAndWait(form, {CorpusPath("hd720.avi")});
    RunObservation seen;
    ObserveRun(form, seen);
    Control<QPushButton>(form, "Button1")->click();

    EXPECT_FALSE(seen.encodeEnabled);
    EXPECT_FALSE(seen.exitEnabled);
    EXPECT_FALSE(seen.updateEnabled);
    EXPECT_TRUE(seen.stopEnabled);
    EXPECT_FALSE(seen.closed) << "the window must not close during a run";
    EXPECT_TRUE(seen.panelTexts.count(QStringLiteral("Job:1/1"))) << "job text shown live";

    const QFileInfo output(user.QPath("home/out/hd720_XviD.avi"));
    EXPECT_TRUE(output.isFile());
    EXPECT_GT(output.size(), 0);
    EXPECT_EQ(PanelText(form, 0), "Run completed");
    EXPECT_EQ(PanelText(form, 1), "");
    EXPECT_TRUE(Control<QPushButton>(form, "Button1")->isEnabled());
    EXPECT_TRUE(Control<QPushButton>(form, "Button6")->isEnabled());
    EXPECT_FALSE(Control<QPushButton>(form, "Button2")->isEnabled());
    EXPECT_EQ(power.powerOffRequests, 0);
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(form.close());
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(user.ScriptFile())));
}

QStringList OutputFiles(const EncodingUser& user) {
    return QDir(user.QPath("home/out")).entryList(QDir::Files, QDir::Name);
}

TEST_F(EncodeWindowTest, MenuEntriesEncodeOnlyTheirRows) {
    TMainForm form(nullptr, &power);
    form.show();
    AddAndWait(form, {CorpusPath("xvid.avi"), CorpusPath("hd720.avi"), CorpusPath("mpeg1.mpg")});
    auto* list = JobList(form);
    ASSERT_EQ(list->topLevelItem(1)->text(6), "No");

    list->setCurrentItem(list->topLevelItem(1));
    Control<QAction>(form, "Item4")->trigger();
    EXPECT_EQ(OutputFiles(user), QStringList({"hd720_XviD.avi"}));

    ASSERT_TRUE(QFile::remove(user.QPath("home/out/hd720_XviD.avi")));
    auto* menu = Control<QMenu>(form, "PopupMenu1");
    emit menu->aboutToShow();
    QMenu* encodeBy = Control<QAction>(form, "Item6")->menu();
    QAction* codecGroup = encodeBy->actions().at(1);
    ASSERT_EQ(codecGroup->text(), "Codec");
    QAction* hd720Codec = nullptr;
    for (QAction* value : codecGroup->menu()->actions()) {
        if (value->text() == list->topLevelItem(1)->text(2)) {
            hd720Codec = value;
        }
    }
    ASSERT_NE(hd720Codec, nullptr);
    hd720Codec->trigger();
    // xvid.avi carries the same codec id as hd720.avi but needs no conversion.
    EXPECT_TRUE(OutputFiles(user).contains("hd720_XviD.avi"))
        << OutputFiles(user).join(' ').toStdString();
    EXPECT_FALSE(OutputFiles(user).contains("mpeg1_XviD.avi"))
        << OutputFiles(user).join(' ').toStdString();
}

TEST_F(EncodeWindowTest, StopEndsTheRunAndSkipsTheShutdown) {
    const QString clip = MakeLongClip(user.QPath("home/long.avi"));
    TMainForm form(nullptr, &power);
    form.LoadLanguage(0, user.LanguageFile());
    form.show();
    Control<QCheckBox>(form, "CheckBox1")->click();
    AddAndWait(form, {clip});
    RunObservation seen;
    // Stop as soon as the encoder reports, from the window's own event loop.
    ObserveRun(form, seen, [&form] {
        auto* watch = new QTimer(&form);
        QObject::connect(watch, &QTimer::timeout, &form, [&form, watch] {
            if (PanelText(form, 1).startsWith(QStringLiteral("Pos"))) {
                Control<QPushButton>(form, "Button2")->click();
                watch->deleteLater();
            }
        });
        watch->start(5);
    });
    Control<QPushButton>(form, "Button1")->click();

    EXPECT_EQ(PanelText(form, 0), "Run stopped");
    EXPECT_EQ(PanelText(form, 1), "");
    EXPECT_EQ(power.powerOffRequests, 0);
    EXPECT_FALSE(form.EndedForPowerOff());
    EXPECT_TRUE(ProcessesUsing(user.QPath("home")).isEmpty())
        << ProcessesUsing(user.QPath("home")).join('\n').toStdString();
    EXPECT_TRUE(Control<QPushButton>(form, "Button1")->isEnabled());
}

TEST_F(EncodeWindowTest, ListStaysUsableDuringARun) {
    const QString clip = MakeLongClip(user.QPath("home/long.avi"));
    TMainForm form(nullptr, &power);
    form.show();
    AddAndWait(form, {clip});
    RunObservation seen;
    int rowsAddedDuringRun = -1;
    ObserveRun(form, seen, [&form, &rowsAddedDuringRun] {
        QObject::connect(&form, &TMainForm::AddingFinished, &form, [&form, &rowsAddedDuringRun] {
            if (form.Running()) {
                rowsAddedDuringRun = JobList(form)->topLevelItemCount();
                Control<QPushButton>(form, "Button2")->click();
            }
        });
        form.AddFiles({CorpusPath("xvid.avi")});
    });
    Control<QPushButton>(form, "Button1")->click();
    EXPECT_EQ(rowsAddedDuringRun, 2);
}

}  // namespace
}  // namespace tessaro::testing
