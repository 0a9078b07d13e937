#include "app/DropFileListBox.h"

#include <QDragEnterEvent>
#include <QDropEvent>

#include "app/FileDrop.h"

namespace tessaro {

TDropFileListBox::TDropFileListBox(QWidget* parent) : QListWidget(parent) {
    setDragDropMode(QAbstractItemView::NoDragDrop);
    // A box created in code reads DropEnabled as true, so it must also take drops.
    SetDropEnabled(true);
}

void TDropFileListBox::SetDropEnabled(bool enabled) {
    dropEnabled_ = enabled;
    setAcceptDrops(enabled);
    viewport()->setAcceptDrops(enabled);
}

QString TDropFileListBox::Version() const {
    return QStringLiteral("V1.00");
}

void TDropFileListBox::SetVersion(const QString& /*ignored*/) {}

void TDropFileListBox::dragEnterEvent(QDragEnterEvent* event) {
    AnswerFileDrag(event, dropEnabled_);
}

void TDropFileListBox::dragMoveEvent(QDragMoveEvent* event) {
    AnswerFileDrag(event, dropEnabled_);
}

void TDropFileListBox::dropEvent(QDropEvent* event) {
    if (!dropEnabled_) {
        event->ignore();
        return;
    }
    const QStringList files = DroppedLocalFiles(event->mimeData());
    event->acceptProposedAction();
    emit OnDropFiles(this, files);
}

}  // namespace tessaro
