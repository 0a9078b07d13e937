#pragma once

#include <QListWidget>
#include <QString>
#include <QStringList>

#include "app/FileDrop.h"

namespace tessaro {

// Plain list box with the same file-drop mechanism as TDropFileListView.
class TDropFileListBox final : public QListWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TDropFileListBox)
    Q_PROPERTY(bool DropEnabled READ DropEnabled WRITE SetDropEnabled)
    Q_PROPERTY(QString Version READ Version WRITE SetVersion)

public:
    explicit TDropFileListBox(QWidget* parent = nullptr);

    bool DropEnabled() const { return drops_->Enabled(); }
    // Registers or withdraws the control as a drop target.
    void SetDropEnabled(bool enabled);

    QString Version() const;
    // The version is the component's own: writing it changes nothing.
    void SetVersion(const QString& ignored);

signals:
    void OnDropFiles(QObject* sender, const QStringList& fileNames);

private:
    FileDropTarget* drops_ = nullptr;
};

}  // namespace tessaro
