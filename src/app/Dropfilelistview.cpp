#include "app/Dropfilelistview.h"

#include <QHeaderView>

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
    drops_ = new FileDropTarget(*this, [this](const QStringList& files, const QPoint& position) {
        emit OnDropFiles(this, files, position);
    });
}

void TDropFileListView::SetAcceptFiles(bool accept) {
    drops_->SetEnabled(accept);
}

}  // namespace tessaro
