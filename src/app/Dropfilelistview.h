#pragma once

#include <QPoint>
#include <QStringList>
#include <QTreeWidget>

namespace tessaro {

// Report-style list that takes files dropped from the file manager and hands
// them on in one OnDropFiles per drop.
class TDropFileListView final : public QTreeWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TDropFileListView)
    Q_PROPERTY(bool AcceptFiles READ AcceptFiles WRITE SetAcceptFiles)

public:
    explicit TDropFileListView(QWidget* parent = nullptr);

    bool AcceptFiles() const { return acceptFiles_; }
    void SetAcceptFiles(bool accept);

signals:
    // position: where the files were dropped, in viewport coordinates.
    void OnDropFiles(QObject* sender, const QStringList& fileNames, const QPoint& position);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    bool acceptFiles_ = false;
};

}  // namespace tessaro
