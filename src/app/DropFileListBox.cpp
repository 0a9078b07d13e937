#include "app/DropFileListBox.h"

namespace tessaro {

TDropFileListBox::TDropFileListBox(QWidget* parent) : QListWidget(parent) {
    setDragDropMode(QAbstractItemView::NoDragDrop);
    drops_ = new FileDropTarget(
        *this, [this](const QStringList& files, const QPoint&) { emit OnDropFiles(this, files); });
    // A box created in code reads DropEnabled as true, so it must also take drops.
    SetDropEnabled(true);
}

void TDropFileListBox::SetDropEnabled(bool enabled) {
    drops_->SetEnabled(enabled);
}

QString TDropFileListBox::Version() const {
    return QStringLiteral("V1.00");
}

void TDropFileListBox::SetVersion(const QString& /*ignored*/) {}

}  // namespace tessaro
