#pragma once

#include <QPoint>
#include <QStringList>
#include <QTreeWidget>

#include "app/FileDrop.h"

namespace tessaro {

// Report-style list that takes files dropped from the file manager anywhere on
// it, header included, and hands them on in one OnDropFiles per drop.
class TDropFileListView final : public QTreeWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TDropFileListView)
    Q_PROPERTY(bool AcceptFiles READ AcceptFiles WRITE SetAcceptFiles)

public:
    explicit TDropFileListView(QWidget* parent = nullptr);

    bool AcceptFiles() const { return drops_->Enabled(); }
    void SetAcceptFiles(bool accept);

signals:
    // position: where the files were dropped, in viewport coordinates.
    void OnDropFiles(QObject* sender, const QStringList& fileNames, const QPoint& position);

private:
    FileDropTarget* drops_ = nullptr;
};

}  // namespace tessaro
