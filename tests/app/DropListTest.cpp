#include <gtest/gtest.h>

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QUrl>

#include "app/CompareText.h"
#include "app/DropFileListBox.h"
#include "app/Dropfilelistview.h"

namespace tessaro {
namespace {

// Drags the URLs onto the widget as a file manager does; returns whether the drop was taken.
bool DragAndDrop(QWidget* target, const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    if (!enter.isAccepted()) {
        return false;
    }
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
    return drop.isAccepted();
}

QList<QUrl> LocalUrls(const QStringList& paths) {
    QList<QUrl> urls;
    for (const QString& path : paths) {
        urls.append(QUrl::fromLocalFile(path));
    }
    return urls;
}

TEST(DropFileListBoxTest, OneDropGivesOneEventWithEveryPathInOrder) {
    TDropFileListBox box;
    box.show();
    QSignalSpy drops(&box, &TDropFileListBox::OnDropFiles);
    const QStringList paths = {"/media/c.avi", "/home/user/a b.mkv", "/srv/folder"};
    EXPECT_TRUE(DragAndDrop(box.viewport(), LocalUrls(paths)));
    ASSERT_EQ(drops.count(), 1);
    EXPECT_EQ(drops[0][0].value<QObject*>(), &box);
    EXPECT_EQ(drops[0][1].toStringList(), paths);
}

TEST(DropFileListBoxTest, DisabledBoxTakesNoDropAndEnabledAgainDoes) {
    TDropFileListBox box;
    box.show();
    EXPECT_TRUE(box.DropEnabled());
    QSignalSpy drops(&box, &TDropFileListBox::OnDropFiles);
    box.SetDropEnabled(false);
    EXPECT_FALSE(box.DropEnabled());
    EXPECT_FALSE(box.viewport()->acceptDrops());
    EXPECT_FALSE(DragAndDrop(box.viewport(), LocalUrls({"/tmp/x.avi"})));
    EXPECT_EQ(drops.count(), 0);
    box.setProperty("DropEnabled", true);
    EXPECT_TRUE(DragAndDrop(box.viewport(), LocalUrls({"/tmp/x.avi"})));
    EXPECT_EQ(drops.count(), 1);
}

TEST(DropFileListBoxTest, VersionIsFixed) {
    TDropFileListBox box;
    EXPECT_EQ(box.Version(), "V1.00");
    box.setProperty("Version", QStringLiteral("V9.99"));
    EXPECT_EQ(box.property("Version").toString(), "V1.00");
}

TEST(DropFileListBoxTest, DropWithoutHandlerIsConsumed) {
    TDropFileListBox box;
    box.show();
    EXPECT_TRUE(DragAndDrop(box.viewport(), LocalUrls({"/tmp/x.avi"})));
    EXPECT_EQ(box.count(), 0);
}

TEST(DropFileListViewTest, KeepsLongPathsWholeAndLeavesRemoteOnesOut) {
    TDropFileListView view;
    view.SetAcceptFiles(true);
    view.show();
    QSignalSpy drops(&view, &TDropFileListView::OnDropFiles);
    const QString longPath =
        QStringLiteral("/data/") + QString(400, QLatin1Char('x')) + QStringLiteral(".avi");
    QList<QUrl> urls = LocalUrls({"/first.avi", longPath});
    urls.insert(1, QUrl(QStringLiteral("https://example.org/remote.avi")));
    EXPECT_TRUE(DragAndDrop(view.viewport(), urls));
    ASSERT_EQ(drops.count(), 1);
    EXPECT_EQ(drops[0][1].toStringList(), QStringList({"/first.avi", longPath}));
}

TEST(DropFileListViewTest, RefusesDragsWithoutLocalFilesOrWhenNotAccepting) {
    TDropFileListView view;
    view.show();
    QSignalSpy drops(&view, &TDropFileListView::OnDropFiles);
    EXPECT_FALSE(view.AcceptFiles());
    EXPECT_FALSE(DragAndDrop(view.viewport(), LocalUrls({"/tmp/x.avi"})));
    view.SetAcceptFiles(true);
    EXPECT_FALSE(DragAndDrop(view.viewport(), {QUrl(QStringLiteral("https://example.org/a.avi"))}));
    EXPECT_EQ(drops.count(), 0);
}

struct CompareCase {
    const char* a;
    const char* b;
    int sign;
};

TEST(CompareTextTest, ComparesBytesWithOnlyAsciiLettersFolded) {
    const CompareCase cases[] = {
        {"1280", "320", -1},
        {"320", "720", -1},
        {"720", "1280", 1},
        {"abc", "ABC", 0},
        {"abc", "abd", -1},
        {"ab", "abc", -1},
        {"abc", "ab", 1},
        {"", "", 0},
        {"_", "a", 1},                // '_' (0x5F) sorts after 'A' (0x41) once letters fold up
        {"\xc3\xa9", "\xc3\x89", 1},  // é and É: non-ASCII bytes are not folded
        {"Yes", "No", 1},
    };
    for (const CompareCase& c : cases) {
        const int result = CompareText(c.a, c.b);
        EXPECT_EQ((result > 0) - (result < 0), c.sign) << c.a << " vs " << c.b;
    }
    EXPECT_EQ(CompareText("a", "c"), 'A' - 'C');
    EXPECT_EQ(CompareText("abcd", "ab"), 2);
}

}  // namespace
}  // namespace tessaro
