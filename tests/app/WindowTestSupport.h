#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QStatusBar>
#include <QString>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <memory>
#include <string>
#include <vector>

#include "app/Dropfilelistview.h"
#include "app/JobListItems.h"
#include "app/Unit1.h"
#include "platform/ScopedEnv.h"

namespace tessaro::testing {

inline QString CorpusPath(const char* name) {
    return QString::fromUtf8(TESSARO_CORPUS_DIR) + QLatin1Char('/') + QString::fromUtf8(name);
}

// A user of their own: home, XDG folders, temp, profile and registry folders,
// all inside one temporary folder that disappears with the test.
class ScopedUser {
public:
    ScopedUser() {
        const std::string root = dir_.path().toStdString();
        for (const char* sub : {"/home", "/config", "/data", "/runtime", "/temp", "/registry"}) {
            QDir().mkpath(QString::fromStdString(root + sub));
        }
        QFile::setPermissions(QString::fromStdString(root + "/runtime"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        Set("HOME", root + "/home");
        Set("XDG_CONFIG_HOME", root + "/config");
        Set("XDG_DATA_HOME", root + "/data");
        Set("XDG_RUNTIME_DIR", root + "/runtime");
        Set("TEMP", root + "/temp");
        Set("APPDATA", root + "/config");
        Set("TESSARO_REGISTRY_DIR", root + "/registry");
    }

    std::string Path(const std::string& sub) const { return dir_.path().toStdString() + "/" + sub; }
    QString QPath(const std::string& sub) const { return QString::fromStdString(Path(sub)); }
    std::string ProfileFile() const { return Path("config/Clipwarp_profiles.ini"); }
    std::string RegistryFile() const { return Path("registry/HKEY_CURRENT_USER.reg"); }
    std::string DesktopEntry() const { return Path("data/applications/Tessaro.desktop"); }
    std::string ScriptFile() const { return Path("temp/~tmp86CB.sh"); }

private:
    void Set(const char* name, const std::string& value) {
        env_.push_back(std::make_unique<ScopedEnv>(name, value.c_str()));
    }

    QTemporaryDir dir_;
    std::vector<std::unique_ptr<ScopedEnv>> env_;
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

template <typename T>
T* Control(const QWidget& form, const char* name) {
    T* control = form.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(control, nullptr) << name;
    return control;
}

inline TDropFileListView* JobList(const QWidget& form) {
    return Control<TDropFileListView>(form, "ListView1");
}

// Adds the files and waits until the last one was probed.
inline void AddAndWait(TMainForm& form, const QStringList& paths) {
    QSignalSpy finished(&form, &TMainForm::AddingFinished);
    form.AddFiles(paths);
    if (form.IsAdding()) {
        ASSERT_TRUE(finished.wait(120000));
    }
}

inline QStringList ColumnTexts(const QTreeWidget& list, int column) {
    QStringList texts;
    for (int row = 0; row < list.topLevelItemCount(); ++row) {
        texts.append(list.topLevelItem(row)->text(column));
    }
    return texts;
}

inline QString PanelText(const QWidget& form, int panel) {
    return Control<QLabel>(form, panel == 0 ? "StatusPanel0" : "StatusPanel1")->text();
}

}  // namespace tessaro::testing
