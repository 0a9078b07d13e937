#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QDropEvent>
#include <QFileDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QUrl>

#include "WindowTestSupport.h"

namespace tessaro::testing {
namespace {

class WindowTest : public ::testing::Test {
protected:
    ScopedUser user;
};

struct CaptionCase {
    const char* name;
    const char* caption;
};

TEST_F(WindowTest, EveryControlCarriesItsNameAndEnglishCaption) {
    TMainForm form;
    EXPECT_EQ(form.objectName(), "MainForm");
    EXPECT_EQ(form.windowTitle(), "Tessaro");
    const CaptionCase buttons[] = {
        {"Button1", "Encode"},
        {"Button2", "Stop"},
        {"Button3", "Add Files..."},
        {"Button4", "Delete"},
        {"Button5", "Clear List"},
        {"Button6", "Exit"},
        {"UpdateButton", "&Run update check now..."},
        {"SpeedButton1", "..."},
        {"SpeedButton2", ". . ."},
        {"CheckBox1", "Shutdown after encoding"},
        {"CheckBox2", "Show File Details"},
        {"CheckBox3", "Copy to after encoding: "},
        {"CheckBox4", "Encoding unsupport file only"},
        {"CheckBox5", "Show encoding console"},
    };
    for (const CaptionCase& expected : buttons) {
        EXPECT_EQ(Control<QAbstractButton>(form, expected.name)->text(), expected.caption)
            << expected.name;
    }
    const CaptionCase labels[] = {
        {"Label1", "Output Folder:"},  {"Label2", "Language:"},
        {"Label4", "Device Serial: "}, {"Label5", "Video Bitrate (kbps):"},
        {"Label6", "Save Config:"},    {"Label3", ""},
    };
    for (const CaptionCase& expected : labels) {
        EXPECT_EQ(Control<QLabel>(form, expected.name)->text(), expected.caption) << expected.name;
    }
    EXPECT_EQ(Control<QGroupBox>(form, "GroupBox1")->title(), "Properties");
    EXPECT_EQ(Control<QLabel>(form, "Label3")->font().pointSize(), 10);
    EXPECT_TRUE(Control<QLabel>(form, "Label3")->alignment() & Qt::AlignRight);
    auto* pages = Control<QTabWidget>(form, "PageControl1");
    ASSERT_EQ(pages->count(), 2);
    EXPECT_EQ(pages->widget(0)->objectName(), "TabSheet1");
    EXPECT_EQ(pages->tabText(0), "Files");
    EXPECT_EQ(pages->widget(1)->objectName(), "TabSheet2");
    EXPECT_EQ(pages->tabText(1), "Options");
    EXPECT_EQ(pages->currentIndex(), 0);
    auto* dialog = Control<QFileDialog>(form, "OpenDialog1");
    EXPECT_EQ(dialog->windowTitle(), "Select file");
    EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFiles);
    ASSERT_EQ(dialog->nameFilters().size(), 3);
    EXPECT_TRUE(dialog->nameFilters()[0].startsWith("Media files (*.3gp *.asf *.asx *.avi"));
    EXPECT_EQ(dialog->nameFilters()[1], "Subtitle files (*.srt *.sri *.smi *.txt)");
    EXPECT_EQ(dialog->nameFilters()[2], "All files (*)");
    EXPECT_FALSE(Control<QPushButton>(form, "Button2")->isEnabled());
    EXPECT_NE(Control<QLabel>(form, "OutPath"), nullptr);
    EXPECT_NE(Control<QPlainTextEdit>(form, "Details"), nullptr);
}

TEST_F(WindowTest, SelectorsHoldTheirBuiltInItems) {
    TMainForm form;
    auto* bitrate = Control<QComboBox>(form, "ComboBox2");
    QStringList bitrates;
    for (int index = 0; index < bitrate->count(); ++index) {
        bitrates.append(bitrate->itemText(index));
    }
    EXPECT_EQ(bitrates, QStringList({"Default", "512", "600", "640", "700", "800", "900", "1000",
                                     "1200", "1500", "1800", "2000", "3000"}));
    auto* device = Control<QComboBox>(form, "ComboBox4");
    ASSERT_EQ(device->count(), 1);
    EXPECT_EQ(device->itemText(0), "Tessaro 1.0");
    EXPECT_EQ(device->currentIndex(), 0);
    EXPECT_EQ(Control<QComboBox>(form, "ComboBox1")->itemText(0), "English");
    for (const char* name : {"ComboBox1", "ComboBox2", "ComboBox3", "ComboBox4"}) {
        EXPECT_TRUE(Control<QComboBox>(form, name)->isEditable()) << name;
    }
}

TEST_F(WindowTest, HiddenControlsStayHiddenWhenShown) {
    TMainForm form;
    form.show();
    for (const char* name : {"Label6", "SpeedButton2", "CheckBox5"}) {
        EXPECT_FALSE(Control<QWidget>(form, name)->isVisible()) << name;
    }
    EXPECT_TRUE(Control<QWidget>(form, "Button1")->isVisible());
}

TEST_F(WindowTest, JobListHasSevenColumnsWithTheirWidths) {
    TMainForm form;
    auto* list = JobList(form);
    const std::pair<const char*, int> columns[] = {
        {"File Name", 160}, {"Video Format", 80}, {"Codec", 50},  {"Width", 50},
        {"Height", 50},     {"Audio Format", 80}, {"Support", 55}};
    ASSERT_EQ(list->columnCount(), 7);
    for (int column = 0; column < 7; ++column) {
        EXPECT_EQ(list->headerItem()->text(column), columns[column].first);
        EXPECT_EQ(list->columnWidth(column), columns[column].second) << column;
    }
    EXPECT_TRUE(list->AcceptFiles());
    EXPECT_EQ(list->selectionMode(), QAbstractItemView::SingleSelection);
}

TEST_F(WindowTest, StatusBarHasTwoPanels) {
    TMainForm form;
    auto* bar = Control<QStatusBar>(form, "StatusBar1");
    auto* first = Control<QLabel>(form, "StatusPanel0");
    auto* second = Control<QLabel>(form, "StatusPanel1");
    EXPECT_EQ(first->parentWidget(), bar);
    EXPECT_EQ(second->parentWidget(), bar);
    EXPECT_EQ(first->width(), 70);
    EXPECT_EQ(first->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
    EXPECT_GE(second->minimumWidth(), 50);
}

TEST_F(WindowTest, DetailsCheckBoxResizesTheWindow) {
    TMainForm form;
    form.show();
    EXPECT_EQ(form.size(), QSize(540, 538));
    auto* details = Control<QCheckBox>(form, "CheckBox2");
    details->click();
    EXPECT_EQ(form.size(), QSize(908, 538));
    EXPECT_TRUE(Control<QGroupBox>(form, "GroupBox1")->isVisible());
    details->click();
    EXPECT_EQ(form.size(), QSize(540, 538));
    EXPECT_FALSE(Control<QGroupBox>(form, "GroupBox1")->isVisible());
}

TEST_F(WindowTest, AddFilesProbesAcceptedExistingFilesInOrderAndKeepsDuplicates) {
    TMainForm form;
    EXPECT_EQ(form.AddFiles({}), -1);
    WriteText(user.Path("home/link.lnk"), "not a shortcut target");
    AddAndWait(form,
               {CorpusPath("hd720.avi"), user.QPath("home/gone.avi"), user.QPath("home/link.lnk"),
                CorpusPath("xvid.avi"), CorpusPath("hd720.avi")});
    auto* list = JobList(form);
    EXPECT_EQ(ColumnTexts(*list, 0), QStringList({CorpusPath("hd720.avi"), CorpusPath("xvid.avi"),
                                                  CorpusPath("hd720.avi")}));
    EXPECT_EQ(list->topLevelItem(0)->text(3), "1280");
    EXPECT_EQ(list->topLevelItem(0)->text(4), "720");
    EXPECT_EQ(list->topLevelItem(0)->text(6), "No");
    EXPECT_EQ(JobRowOf(*list->topLevelItem(0)), JobRowOf(*list->topLevelItem(2)));
    EXPECT_FALSE(JobRowOf(*list->topLevelItem(0)).subItems[siDecision].empty());
}

TEST_F(WindowTest, CommandLineFilesAreAddedWhenTheWindowIsShown) {
    TMainForm form;
    form.SetCommandLineFiles({CorpusPath("xvid.avi"), CorpusPath("b.mkv")});
    EXPECT_EQ(JobList(form)->topLevelItemCount(), 0);
    QSignalSpy finished(&form, &TMainForm::AddingFinished);
    form.show();
    ASSERT_TRUE(finished.count() > 0 || finished.wait(60000));
    EXPECT_EQ(ColumnTexts(*JobList(form), 0),
              QStringList({CorpusPath("xvid.avi"), CorpusPath("b.mkv")}));
}

void Drop(QWidget* target, const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    // As the file manager does it: enter first, which makes the list the drop target.
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
    EXPECT_TRUE(drop.isAccepted());
}

TEST_F(WindowTest, DroppedFilesArriveWholeAndInOrder) {
    // Past the old 255-character buffer: the path must arrive whole.
    QString longFolder = user.QPath("home");
    while (longFolder.size() < 300) {
        longFolder += QStringLiteral("/a-rather-long-folder-name-for-drops");
    }
    ASSERT_TRUE(QDir().mkpath(longFolder));
    const QString longPath = longFolder + QStringLiteral("/clip.avi");
    ASSERT_TRUE(QFile::copy(CorpusPath("xvid.avi"), longPath));

    TMainForm form;
    form.show();
    QSignalSpy finished(&form, &TMainForm::AddingFinished);
    Drop(JobList(form)->viewport(),
         {QUrl::fromLocalFile(CorpusPath("b.mkv")), QUrl::fromLocalFile(user.QPath("home")),
          QUrl(QStringLiteral("https://example.org/remote.avi")), QUrl::fromLocalFile(longPath),
          QUrl::fromLocalFile(CorpusPath("xvid.avi"))});
    ASSERT_TRUE(finished.count() > 0 || finished.wait(60000));
    EXPECT_EQ(ColumnTexts(*JobList(form), 0),
              QStringList({CorpusPath("b.mkv"), longPath, CorpusPath("xvid.avi")}));
}

TEST_F(WindowTest, ListKeepsAtMost128Rows) {
    QStringList paths;
    for (int index = 0; index < 130; ++index) {
        const QString path = user.QPath("home/clip" + std::to_string(index) + ".avi");
        ASSERT_TRUE(QFile::copy(CorpusPath("xvid.avi"), path));
        paths.append(path);
    }
    TMainForm form;
    form.show();
    AddAndWait(form, paths);
    auto* list = JobList(form);
    ASSERT_EQ(list->topLevelItemCount(), 128);
    EXPECT_EQ(list->topLevelItem(127)->text(0), paths[127]);
    AddAndWait(form, {CorpusPath("b.mkv")});
    EXPECT_EQ(list->topLevelItemCount(), 128);
}

TEST_F(WindowTest, RowsAppearWhileTheRestIsStillBeingProbed) {
    TMainForm form;
    form.show();
    QSignalSpy finished(&form, &TMainForm::AddingFinished);
    QStringList paths;
    for (int index = 0; index < 100; ++index) {
        paths.append(CorpusPath(index % 2 == 0 ? "xvid.avi" : "b.mkv"));
    }
    form.AddFiles(paths);
    EXPECT_TRUE(form.IsAdding());
    int rowsSeenWhileAdding = 0;
    while (form.IsAdding()) {
        QCoreApplication::processEvents();
        if (form.IsAdding()) {
            rowsSeenWhileAdding = std::max(rowsSeenWhileAdding, JobList(form)->topLevelItemCount());
        }
    }
    EXPECT_GE(rowsSeenWhileAdding, 1);
    EXPECT_LT(rowsSeenWhileAdding, 100);
    EXPECT_EQ(JobList(form)->topLevelItemCount(), 100);
}

TEST_F(WindowTest, ColumnClickSortsByTextAndStably) {
    TMainForm form;
    form.show();
    AddAndWait(form, {CorpusPath("dvd.vob"), CorpusPath("hd720.avi"), CorpusPath("xvid.avi")});
    auto* list = JobList(form);
    QHeaderView* header = list->header();
    const auto clickColumn = [header](int column) {
        QTest::mouseClick(
            header->viewport(), Qt::LeftButton, Qt::NoModifier,
            QPoint(header->sectionViewportPosition(column) + 5, header->height() / 2));
    };
    clickColumn(3);
    EXPECT_EQ(ColumnTexts(*list, 3), QStringList({"1280", "320", "720"}));
    clickColumn(0);
    const QStringList byName = ColumnTexts(*list, 0);
    EXPECT_EQ(byName, QStringList({CorpusPath("dvd.vob"), CorpusPath("hd720.avi"),
                                   CorpusPath("xvid.avi")}));
    clickColumn(0);
    EXPECT_EQ(ColumnTexts(*list, 0), byName);
}

TEST_F(WindowTest, CompareUsesTheSortColumnsSubItemOrTheCaption) {
    TMainForm form;
    AddAndWait(form, {CorpusPath("hd720.avi"), CorpusPath("xvid.avi")});
    auto* list = JobList(form);
    const QTreeWidgetItem* wide = list->topLevelItem(0);
    const QTreeWidgetItem* small = list->topLevelItem(1);
    form.SortByColumn(3);
    EXPECT_LT(form.ListView1Compare(wide, small), 0);  // "1280" < "320"
    form.SortByColumn(200);                            // no such column: the caption decides
    EXPECT_EQ(form.ListView1Compare(wide, small) < 0,
              CorpusPath("hd720.avi") < CorpusPath("xvid.avi"));
}

TEST_F(WindowTest, PositionCounterShowsSelectedRowOfAll) {
    QStringList paths;
    for (int index = 0; index < 10; ++index) {
        paths.append(CorpusPath("xvid.avi"));
    }
    TMainForm form;
    AddAndWait(form, paths);
    auto* list = JobList(form);
    auto* counter = Control<QLabel>(form, "Label3");
    EXPECT_EQ(counter->text(), "");
    list->setCurrentItem(list->topLevelItem(2));
    EXPECT_EQ(counter->text(), "3/10");
    list->clearSelection();
    EXPECT_EQ(counter->text(), "");
}

TEST_F(WindowTest, DeleteRemovesTheSelectedRowAndClearEmptiesListAndDetails) {
    TMainForm form;
    form.show();
    Control<QCheckBox>(form, "CheckBox2")->click();
    AddAndWait(form, {CorpusPath("xvid.avi"), CorpusPath("b.mkv"), CorpusPath("hd720.avi")});
    auto* list = JobList(form);
    auto* details = Control<QPlainTextEdit>(form, "Details");
    list->setCurrentItem(list->topLevelItem(1));
    const QString report = details->toPlainText();
    ASSERT_FALSE(report.isEmpty());
    Control<QPushButton>(form, "Button4")->click();
    EXPECT_EQ(ColumnTexts(*list, 0),
              QStringList({CorpusPath("xvid.avi"), CorpusPath("hd720.avi")}));
    EXPECT_EQ(details->toPlainText(), report);
    Control<QPushButton>(form, "Button5")->click();
    EXPECT_EQ(list->topLevelItemCount(), 0);
    EXPECT_TRUE(details->toPlainText().isEmpty());
}

TEST_F(WindowTest, ChoosingADeviceClearsListAndDetails) {
    TMainForm form;
    form.show();
    Control<QCheckBox>(form, "CheckBox2")->click();
    AddAndWait(form, {CorpusPath("xvid.avi"), CorpusPath("b.mkv")});
    JobList(form)->setCurrentItem(JobList(form)->topLevelItem(0));
    ASSERT_FALSE(Control<QPlainTextEdit>(form, "Details")->toPlainText().isEmpty());
    auto* device = Control<QComboBox>(form, "ComboBox4");
    emit device->activated(0);  // even the current item
    EXPECT_EQ(JobList(form)->topLevelItemCount(), 0);
    EXPECT_TRUE(Control<QPlainTextEdit>(form, "Details")->toPlainText().isEmpty());
}

TEST_F(WindowTest, DetailsShowTheLibrarysReportOnlyWhenTheyAreShown) {
    TMainForm form;
    form.show();
    AddAndWait(form, {CorpusPath("xvid.avi"), CorpusPath("b.mkv")});
    auto* list = JobList(form);
    auto* details = Control<QPlainTextEdit>(form, "Details");
    list->setCurrentItem(list->topLevelItem(0));
    EXPECT_TRUE(details->toPlainText().isEmpty()) << "hidden pane left alone";

    Control<QCheckBox>(form, "CheckBox2")->click();
    EXPECT_TRUE(details->toPlainText().isEmpty())
        << "switching on shows nothing until a row is chosen";
    list->setCurrentItem(list->topLevelItem(1));
    const QString report = details->toPlainText();
    EXPECT_TRUE(report.contains(QStringLiteral("Complete name"))) << report.toStdString();
    EXPECT_TRUE(report.contains(CorpusPath("b.mkv")));
    EXPECT_FALSE(report.contains(QStringLiteral("Unable to load MediaInfo.dll")));
}

TEST_F(WindowTest, DetailsKeepTheirReportWhenTheSelectedFileIsGone) {
    const QString doomed = user.QPath("home/doomed.avi");
    ASSERT_TRUE(QFile::copy(CorpusPath("xvid.avi"), doomed));
    TMainForm form;
    form.show();
    Control<QCheckBox>(form, "CheckBox2")->click();
    AddAndWait(form, {CorpusPath("b.mkv"), doomed});
    auto* list = JobList(form);
    auto* details = Control<QPlainTextEdit>(form, "Details");
    list->setCurrentItem(list->topLevelItem(0));
    const QString report = details->toPlainText();
    ASSERT_TRUE(QFile::remove(doomed));
    list->setCurrentItem(list->topLevelItem(1));
    EXPECT_EQ(details->toPlainText(), report);
}

TEST_F(WindowTest, DetailsPaneUsesTealCourierOnButtonFace) {
    TMainForm form;
    auto* details = Control<QPlainTextEdit>(form, "Details");
    EXPECT_TRUE(details->isReadOnly());
    EXPECT_EQ(details->font().family(), "Courier New");
    EXPECT_EQ(details->font().pointSize(), 8);
    EXPECT_EQ(details->palette().color(QPalette::Text), QColor(0, 128, 128));
    EXPECT_EQ(details->palette().color(QPalette::Base), form.palette().color(QPalette::Button));
    EXPECT_EQ(details->frameShape(), QFrame::NoFrame);
    EXPECT_EQ(details->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(details->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
}

TEST_F(WindowTest, ContextMenuExistsWithEveryItemButIsNeverAttached) {
    TMainForm form;
    EXPECT_EQ(JobList(form)->contextMenuPolicy(), Qt::PreventContextMenu);
    auto* menu = Control<QMenu>(form, "PopupMenu1");
    const CaptionCase items[] = {
        {"Item0", "Open(&O). . ."},
        {"Item1", "Sort (&S)"},
        {"Item10", "Name(&N)"},
        {"Item14", "Video Format(&V)"},
        {"Item11", "Codec(&C)"},
        {"Item12", "Width(&W)"},
        {"Item13", "Height(&H)"},
        {"Item15", "Audio Format(&A)"},
        {"Item16", "Support(&S)"},
        {"Item2", "Delete(&D)"},
        {"Item3", "Clear List(&L)"},
        {"Item4", "Encode One(&E). . ."},
        {"Item5", "Encode All (&A). . ."},
        {"Item6", "Encode By(B)"},
    };
    for (const CaptionCase& item : items) {
        EXPECT_EQ(Control<QAction>(*menu, item.name)->text(), item.caption) << item.name;
    }
    EXPECT_TRUE(Control<QAction>(*menu, "N9")->isSeparator());
    EXPECT_TRUE(Control<QAction>(*menu, "N10")->isSeparator());
}

TEST_F(WindowTest, MenuOpeningEnablesEntriesAndBuildsEncodeByGroups) {
    TMainForm form;
    auto* menu = Control<QMenu>(form, "PopupMenu1");
    emit menu->aboutToShow();
    for (const char* name : {"Item0", "Item1", "Item2", "Item3", "Item4", "Item5", "Item6"}) {
        EXPECT_FALSE(Control<QAction>(*menu, name)->isEnabled()) << name;
    }
    AddAndWait(form, {CorpusPath("xvid.avi"), CorpusPath("mpeg1.mpg"), CorpusPath("xvid.avi")});
    JobList(form)->setCurrentItem(JobList(form)->topLevelItem(0));
    emit menu->aboutToShow();
    for (const char* name : {"Item0", "Item1", "Item2", "Item3", "Item4", "Item5", "Item6"}) {
        EXPECT_TRUE(Control<QAction>(*menu, name)->isEnabled()) << name;
    }
    QMenu* encodeBy = Control<QAction>(*menu, "Item6")->menu();
    ASSERT_NE(encodeBy, nullptr);
    QStringList groups;
    for (QAction* group : encodeBy->actions()) {
        groups.append(group->text());
    }
    EXPECT_EQ(groups, QStringList({"Video Format", "Codec", "Audio Format", "Support"}));
    const QList<QAction*> videoFormats = encodeBy->actions().first()->menu()->actions();
    ASSERT_EQ(videoFormats.size(), 2);  // xvid.avi twice, mpeg1.mpg once
    EXPECT_EQ(videoFormats[0]->text(), JobList(form)->topLevelItem(0)->text(1));
}

TEST_F(WindowTest, SortEntriesOfTheMenuSortByTheirColumn) {
    TMainForm form;
    AddAndWait(form, {CorpusPath("dvd.vob"), CorpusPath("hd720.avi"), CorpusPath("xvid.avi")});
    Control<QAction>(form, "Item12")->trigger();
    EXPECT_EQ(ColumnTexts(*JobList(form), 3), QStringList({"1280", "320", "720"}));
    Control<QAction>(form, "Item10")->trigger();
    EXPECT_EQ(
        ColumnTexts(*JobList(form), 0),
        QStringList({CorpusPath("dvd.vob"), CorpusPath("hd720.avi"), CorpusPath("xvid.avi")}));
}

TEST_F(WindowTest, ShutdownCheckBoxCaptionTurnsRedWhenChecked) {
    TMainForm form;
    auto* shutdown = Control<QCheckBox>(form, "CheckBox1");
    const QColor normal = shutdown->palette().color(QPalette::WindowText);
    EXPECT_NE(normal, QColor(Qt::red));
    shutdown->click();
    EXPECT_EQ(shutdown->palette().color(QPalette::WindowText), QColor(Qt::red));
    shutdown->click();
    EXPECT_EQ(shutdown->palette().color(QPalette::WindowText), normal);
}

TEST_F(WindowTest, DriveSelectorIsEnabledOnlyWithCopyTo) {
    TMainForm form;
    auto* copyTo = Control<QCheckBox>(form, "CheckBox3");
    auto* drives = Control<QComboBox>(form, "ComboBox3");
    EXPECT_FALSE(drives->isEnabled());
    copyTo->click();
    EXPECT_TRUE(drives->isEnabled());
    copyTo->click();
    EXPECT_FALSE(drives->isEnabled());
}

class UrlCatcher final : public QObject {
    Q_OBJECT

public:
    QList<QUrl> opened;

public slots:
    void Open(const QUrl& url) { opened.append(url); }
};

TEST_F(WindowTest, DoubleClickOpensTheFileWithItsProgram) {
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "Open");
    TMainForm form;
    form.show();
    AddAndWait(form, {CorpusPath("xvid.avi"), CorpusPath("b.mkv")});
    auto* list = JobList(form);
    list->setCurrentItem(list->topLevelItem(1));
    const QRect cell = list->visualItemRect(list->topLevelItem(1));
    // The press of a double click comes first, as from a real mouse.
    QTest::mousePress(list->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    ASSERT_FALSE(catcher.opened.isEmpty());
    EXPECT_EQ(catcher.opened.last(), QUrl::fromLocalFile(CorpusPath("b.mkv")));
}

}  // namespace
}  // namespace tessaro::testing

#include "WindowTest.moc"
