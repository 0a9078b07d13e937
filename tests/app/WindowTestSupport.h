#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <memory>
#include <string>
#include <vector>

#include "app/Dropfilelistview.h"
#include "app/JobListItems.h"
#include "app/Unit1.h"
#include "platform/ScopedEnv.h"

namespace tessaro::testing {

using ::testing::HasSubstr;

inline QString CorpusPath(const char* name) {
    return QStringLiteral(TESSARO_CORPUS_DIR "/") + QString::fromUtf8(name);
}

// A user of their own: home, XDG, temp and registry folders inside one temporary folder.
class ScopedUser {
public:
    ScopedUser() {
        for (const QString& pair : QStringLiteral("HOME=home XDG_CONFIG_HOME=config APPDATA=config "
                                                  "XDG_DATA_HOME=data XDG_RUNTIME_DIR=runtime "
                                                  "TEMP=temp TESSARO_REGISTRY_DIR=registry")
                                       .split(' ')) {
            const std::string sub = pair.section(QLatin1Char('='), 1).toStdString();
            QDir().mkpath(QPath(sub));
            env_.push_back(std::make_unique<ScopedEnv>(
                pair.section(QLatin1Char('='), 0, 0).toLatin1().constData(), Path(sub).c_str()));
        }
        QFile::setPermissions(QPath("runtime"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    std::string Path(const std::string& sub) const { return dir_.path().toStdString() + "/" + sub; }
    QString QPath(const std::string& sub) const { return QString::fromStdString(Path(sub)); }
    std::string ProfileFile() const { return Path("config/Clipwarp_profiles.ini"); }
    QString DesktopEntry() const { return QPath("data/applications/Tessaro.desktop"); }
    // What runs left in the temp folder: their folders and the files in them.
    QStringList TempEntries() const {
        QStringList entries;
        QDirIterator it(QPath("temp"), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) entries.append(QDir(QPath("temp")).relativeFilePath(it.next()));
        entries.sort();
        return entries;
    }

protected:
    std::vector<std::unique_ptr<ScopedEnv>> env_;

private:
    QTemporaryDir dir_;
};

inline std::string ReadText(const std::string& path) {
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

inline void WriteText(const std::string& path, const std::string& text) {
    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path;
    file.write(text.data(), static_cast<qint64>(text.size()));
}

template <typename T = QWidget>
T* Control(const QObject& form, const char* name) {
    T* control = form.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(control, nullptr) << name;
    return control;
}

inline QAbstractButton* Button(const QObject& form, const char* name) {
    return Control<QAbstractButton>(form, name);
}

inline QComboBox* Combo(const QObject& form, const char* name) {
    return Control<QComboBox>(form, name);
}

inline TDropFileListView* JobList(const QWidget& form) {
    return Control<TDropFileListView>(form, "ListView1");
}

inline QString DetailsText(const QWidget& form) {
    return Control<QPlainTextEdit>(form, "Details")->toPlainText();
}

inline QString PanelText(const QWidget& form, int panel) {
    return Control<QLabel>(form, panel == 0 ? "StatusPanel0" : "StatusPanel1")->text();
}

// Adds the files and waits until the last one was probed.
inline void AddAndWait(TMainForm& form, const QStringList& paths) {
    QSignalSpy finished(&form, &TMainForm::AddingFinished);
    form.AddFiles(paths);
    ASSERT_TRUE(!form.IsAdding() || finished.wait(120000));
}

inline QStringList ColumnTexts(const QTreeWidget& list, int column) {
    QStringList texts;
    for (int row = 0; row < list.topLevelItemCount(); ++row)
        texts.append(list.topLevelItem(row)->text(column));
    return texts;
}

// Drags the paths or URLs onto the widget as a file manager does: enter, move
// and drop, offering Copy, Move and Link unless told otherwise. Returns the
// action the drop was answered with; IgnoreAction when it was refused.
inline Qt::DropAction DragAndDrop(QWidget* target, const QStringList& paths,
                                  Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction |
                                                            Qt::LinkAction,
                                  QPoint at = QPoint(5, 5)) {
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& path : paths) urls.append(QUrl::fromUserInput(path));
    data.setUrls(urls);
    QDragEnterEvent enter(at, offered, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    if (!enter.isAccepted()) return Qt::IgnoreAction;
    QDragMoveEvent move(at, offered, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &move);
    if (!move.isAccepted()) return Qt::IgnoreAction;
    QDropEvent drop(QPointF(at), offered, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
    return drop.isAccepted() ? drop.dropAction() : Qt::IgnoreAction;
}

}  // namespace tessaro::testing
