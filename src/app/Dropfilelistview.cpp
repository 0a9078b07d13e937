#include "app/Dropfilelistview.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHeaderView>

#include "app/FileDrop.h"

namespace tessaro {

TDropFileListView::TDropFileListView(QWidget* parent) : QTreeWidget(parent) {
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setDragDropMode(QAbstractItemView::NoDragDrop);
    header()->setStretchLastSection(false);
    header()->setSectionsClickable(true);
    header()->setSectionsMovable(false);
}

void TDropFileListView::SetAcceptFiles(bool accept) {
    acceptFiles_ = accept;
    setAcceptDrops(accept);
    viewport()->setAcceptDrops(accept);
}

void TDropFileListView::dragEnterEvent(QDragEnterEvent* event) {
    AnswerFileDrag(event, acceptFiles_);
}

void TDropFileListView::dragMoveEvent(QDragMoveEvent* event) {
    AnswerFileDrag(event, acceptFiles_);
}

void TDropFileListView::dropEvent(QDropEvent* event) {
    if (!acceptFiles_) {
        event->ignore();
        return;
    }
    const QStringList files = DroppedLocalFiles(event->mimeData());
    event->acceptProposedAction();
    if (!files.isEmpty()) {
        emit OnDropFiles(this, files, event->position().toPoint());
    }
}

}  // namespace tessaro
