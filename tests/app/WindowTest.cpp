#include <gtest/gtest.h>

#include <QFileInfo>
#include <QHeaderView>
#include <QScrollBar>

#include "WindowTestSupport.h"
#include "app/CompareText.h"
#include "app/DropFileListBox.h"
#include "app/ElideMiddleDelegate.h"

namespace tessaro::testing {
namespace {

class WindowTest : public ::testing::Test {
protected:
    ScopedUser user;
    TMainForm form;
};

TEST_F(WindowTest, OptionsChangeTheWindow) {
    form.show();
    EXPECT_EQ(form.size(), QSize(540, 538));
    Button(form, "CheckBox2")->click();
    EXPECT_EQ(form.size(), QSize(908, 538));
    Button(form, "CheckBox1")->click();
    EXPECT_EQ(Button(form, "CheckBox1")->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_EQ(JobList(form)->contextMenuPolicy(), Qt::PreventContextMenu);
}

TEST_F(WindowTest, AddFilesProbesAcceptedExistingFilesInOrderAndKeepsDuplicates) {
    EXPECT_EQ(form.AddFiles({}), -1);
    WriteText(user.Path("home/link.lnk"), "not a shortcut target");
    AddAndWait(form,
               {CorpusPath("hd720.avi"), user.QPath("home/gone.avi"), user.QPath("home/link.lnk"),
                CorpusPath("xvid.avi"), CorpusPath("hd720.avi")});
    auto* list = JobList(form);
    EXPECT_EQ(ColumnTexts(*list, 0), QStringList({CorpusPath("hd720.avi"), CorpusPath("xvid.avi"),
                                                  CorpusPath("hd720.avi")}));
    EXPECT_EQ(list->topLevelItem(0)->text(6), "No");
    EXPECT_EQ(JobRowOf(*list->topLevelItem(0)), JobRowOf(*list->topLevelItem(2)));
    EXPECT_FALSE(JobRowOf(*list->topLevelItem(0)).subItems[siDecision].empty());
}

TEST_F(WindowTest, CommandLineFilesComeWithTheWindowAndDroppedOnesArriveWhole) {
    // Past the old 255-character buffer: the path must arrive whole.
    const QString longPath = user.QPath("home/" + std::string(250, 'd') + "/clip.avi");
    ASSERT_TRUE(QDir().mkpath(QFileInfo(longPath).path()));
    ASSERT_TRUE(QFile::copy(CorpusPath("xvid.avi"), longPath));
    form.SetCommandLineFiles({CorpusPath("xvid.avi")});
    EXPECT_EQ(JobList(form)->topLevelItemCount(), 0);
    QSignalSpy finished(&form, &TMainForm::AddingFinished);
    form.show();
    ASSERT_TRUE(finished.count() > 0 || finished.wait(60000));
    ASSERT_EQ(DragAndDrop(JobList(form)->viewport(), {CorpusPath("b.mkv"), user.QPath("home"),
                                                      "https://example.org/r.avi", longPath}),
              Qt::CopyAction);
    ASSERT_TRUE(finished.count() > 1 || finished.wait(60000));
    EXPECT_EQ(ColumnTexts(*JobList(form), 0),
              QStringList({CorpusPath("xvid.avi"), CorpusPath("b.mkv"), longPath}));
}

TEST_F(WindowTest, ListKeepsAtMost128RowsAndShowsThemWhileProbing) {
    QStringList paths;
    for (int index = 0; index < 130; ++index) {
        paths.append(user.QPath("home/clip" + std::to_string(index) + ".avi"));
        ASSERT_TRUE(QFile::copy(CorpusPath("xvid.avi"), paths.last()));
    }
    form.show();
    form.AddFiles(paths);
    int firstRowsSeenWhileAdding = 0;
    while (form.IsAdding()) {
        QCoreApplication::processEvents();
        if (form.IsAdding() && firstRowsSeenWhileAdding == 0)
            firstRowsSeenWhileAdding = JobList(form)->topLevelItemCount();
    }
    EXPECT_GE(firstRowsSeenWhileAdding, 1);
    EXPECT_LT(firstRowsSeenWhileAdding, 128);
    ASSERT_EQ(JobList(form)->topLevelItemCount(), 128);
    EXPECT_EQ(JobList(form)->topLevelItem(127)->text(0), paths[127]);
    AddAndWait(form, {CorpusPath("b.mkv")});
    EXPECT_EQ(JobList(form)->topLevelItemCount(), 128);
}

TEST_F(WindowTest, ColumnClickAndMenuSortByTextAndStably) {
    form.show();
    const QStringList byName = {CorpusPath("dvd.vob"), CorpusPath("hd720.avi"),
                                CorpusPath("xvid.avi")};
    AddAndWait(form, byName);
    auto* list = JobList(form);
    const auto clickColumn = [list](int column) { emit list->header()->sectionClicked(column); };
    clickColumn(3);
    EXPECT_EQ(ColumnTexts(*list, 3), QStringList({"1280", "320", "720"}));
    clickColumn(0);
    EXPECT_EQ(ColumnTexts(*list, 0), byName);
    clickColumn(0);
    EXPECT_EQ(ColumnTexts(*list, 0), byName);
    Control<QAction>(form, "Item12")->trigger();
    EXPECT_EQ(ColumnTexts(*list, 3), QStringList({"1280", "320", "720"}));
    form.SortByColumn(200);  // no such column: the caption decides
    EXPECT_LT(form.ListView1Compare(list->topLevelItem(0), list->topLevelItem(1)), 0);
}

TEST_F(WindowTest, CounterDetailsDeleteClearAndDeviceChange) {
    const QString doomed = user.QPath("home/doomed.avi");
    ASSERT_TRUE(QFile::copy(CorpusPath("xvid.avi"), doomed));
    QStringList paths(8, CorpusPath("xvid.avi"));
    paths.insert(1, CorpusPath("b.mkv"));
    paths.append(doomed);
    form.show();
    AddAndWait(form, paths);
    auto* list = JobList(form);
    list->setCurrentItem(list->topLevelItem(0));
    EXPECT_TRUE(DetailsText(form).isEmpty()) << "hidden pane left alone";
    Button(form, "CheckBox2")->click();
    EXPECT_TRUE(DetailsText(form).isEmpty()) << "nothing until a row is chosen";
    list->setCurrentItem(list->topLevelItem(2));
    EXPECT_EQ(Control<QLabel>(form, "Label3")->text(), "3/10");
    list->clearSelection();
    EXPECT_EQ(Control<QLabel>(form, "Label3")->text(), "");

    list->setCurrentItem(list->topLevelItem(1));
    const QString report = DetailsText(form);
    EXPECT_TRUE(report.contains(QStringLiteral("Complete name"))) << report.toStdString();
    EXPECT_TRUE(report.contains(CorpusPath("b.mkv")));
    ASSERT_TRUE(QFile::remove(doomed));
    list->setCurrentItem(list->topLevelItem(9));
    EXPECT_EQ(DetailsText(form), report) << "a gone file keeps the last report";
    list->setCurrentItem(list->topLevelItem(1));
    Button(form, "Button4")->click();
    EXPECT_EQ(list->topLevelItemCount(), 9);
    EXPECT_FALSE(ColumnTexts(*list, 0).contains(CorpusPath("b.mkv")));
    EXPECT_EQ(DetailsText(form), report);
    Button(form, "Button5")->click();
    EXPECT_EQ(list->topLevelItemCount(), 0);
    EXPECT_TRUE(DetailsText(form).isEmpty());

    AddAndWait(form, {CorpusPath("xvid.avi")});
    list->setCurrentItem(list->topLevelItem(0));
    ASSERT_FALSE(DetailsText(form).isEmpty());
    emit Control<QComboBox>(form, "ComboBox4")->activated(0);  // even the current item
    EXPECT_EQ(list->topLevelItemCount(), 0);
    EXPECT_TRUE(DetailsText(form).isEmpty());
}

TEST_F(WindowTest, SupportCellAndDetailsTellWhyAndTheFileNameStaysInSight) {
    const QString deep = user.QPath("home/" + std::string(120, 'f') + "/own name.avi");
    ASSERT_TRUE(QDir().mkpath(QFileInfo(deep).path()));
    ASSERT_TRUE(QFile::copy(CorpusPath("hd720.avi"), deep));
    form.show();
    Button(form, "CheckBox2")->click();
    AddAndWait(form, {deep, CorpusPath("xvid.avi")});
    auto* list = JobList(form);
    ASSERT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(list->topLevelItem(0)->toolTip(6), "Video → XviD, scaled to 720 wide");
    EXPECT_EQ(list->topLevelItem(1)->toolTip(6), "Plays as it is");
    EXPECT_EQ(list->topLevelItem(0)->toolTip(0), deep);
    EXPECT_NE(
        qobject_cast<ElideMiddleDelegate*>(list->itemDelegateForIndex(list->model()->index(0, 0))),
        nullptr);
    EXPECT_EQ(list->itemDelegateForIndex(list->model()->index(0, 1)), list->itemDelegate())
        << "only the File Name column";

    list->setCurrentItem(list->topLevelItem(0));
    EXPECT_EQ(Control<QLabel>(form, "DetailsReason")->text(), "Video → XviD, scaled to 720 wide");
    EXPECT_TRUE(DetailsText(form).startsWith(QStringLiteral("General"))) << "the report as it is";
    Button(form, "Button5")->click();
    EXPECT_EQ(Control<QLabel>(form, "DetailsReason")->text(), "");

    form.LoadLanguage(1, TESSARO_BIN_DIR "/LangJ.ini");
    AddAndWait(form, {deep});
    EXPECT_EQ(list->topLevelItem(0)->toolTip(6), QStringLiteral("映像 → XviD（幅 720 に縮小）"));
}

// Anywhere on the list, header and frame included: the files are taken and the
// answer is Copy, so no source deletes them; a source that offers only Move or
// Link is refused rather than told its files were moved or linked.
TEST_F(WindowTest, TheWholeListTakesDropsAndAlwaysAnswersCopy) {
    form.show();
    auto* list = JobList(form);
    const std::pair<const char*, QWidget*> places[] = {
        {"rows", list->viewport()},
        {"header", list->header()->viewport()},
        {"frame", list},
        {"scroll bar", list->verticalScrollBar()},
    };
    const Qt::DropActions offers[] = {Qt::CopyAction | Qt::MoveAction | Qt::LinkAction,
                                      Qt::MoveAction, Qt::LinkAction, Qt::CopyAction};
    QSignalSpy finished(&form, &TMainForm::AddingFinished);
    int drops = 0;
    for (const auto& [name, place] : places) {
        for (const Qt::DropActions offered : offers) {
            const bool copies = offered.testFlag(Qt::CopyAction);
            EXPECT_EQ(DragAndDrop(place, {CorpusPath("xvid.avi")}, offered, QPoint(1, 1)),
                      copies ? Qt::CopyAction : Qt::IgnoreAction)
                << name << " offered " << offered.toInt();
            if (copies) {
                ++drops;
                ASSERT_TRUE(finished.count() == drops || finished.wait(60000));
            }
        }
    }
    EXPECT_EQ(list->topLevelItemCount(), drops);
    EXPECT_EQ(DragAndDrop(list->header()->viewport(), {"https://example.org/r.avi"}),
              Qt::IgnoreAction)
        << "no local file, nothing to take";
}

TEST(DropListTest, ListBoxGivesOneEventPerDropUnlessDisabled) {
    TDropFileListBox box;
    box.show();
    QSignalSpy drops(&box, &TDropFileListBox::OnDropFiles);
    const QStringList paths = {"/media/c.avi", "/home/user/a b.mkv", "/srv/folder"};
    EXPECT_EQ(DragAndDrop(box.viewport(), paths), Qt::CopyAction);
    box.SetDropEnabled(false);
    for (QWidget* place : {static_cast<QWidget*>(&box), box.viewport()})
        EXPECT_EQ(DragAndDrop(place, paths), Qt::IgnoreAction);
    ASSERT_EQ(drops.count(), 1);
    EXPECT_EQ(drops[0][1].toStringList(), paths);
}

// '_' (0x5F) sorts after 'A' (0x41) once letters fold up; é and É (non-ASCII) do not fold.
TEST(CompareTextTest, ComparesBytesWithOnlyAsciiLettersFolded) {
    const std::tuple<const char*, const char*, int> cases[] = {{"1280", "320", -1},
                                                               {"abc", "ABC", 0},
                                                               {"ab", "abc", -1},
                                                               {"_", "a", 1},
                                                               {"\xc3\xa9", "\xc3\x89", 1}};
    for (const auto& [a, b, sign] : cases) {
        const int result = CompareText(a, b);
        EXPECT_EQ((result > 0) - (result < 0), sign) << a << " vs " << b;
    }
}

}  // namespace
}  // namespace tessaro::testing
