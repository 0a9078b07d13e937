#include "app/FileDrop.h"

#include <QAbstractScrollArea>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

namespace tessaro {
namespace {

QStringList DroppedLocalFiles(const QMimeData* data) {
    QStringList paths;
    if (data == nullptr || !data->hasUrls()) {
        return paths;
    }
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile()) {
            paths.append(url.toLocalFile());
        }
    }
    return paths;
}

// Local files are the only thing the lists take.
bool CarriesLocalFiles(const QMimeData* data) {
    return !DroppedLocalFiles(data).isEmpty();
}

}  // namespace

FileDropTarget::FileDropTarget(QAbstractScrollArea& list, DroppedFiles dropped)
    : QObject(&list), list_(list), dropped_(std::move(dropped)) {
    list_.installEventFilter(this);
    for (QWidget* part : list_.findChildren<QWidget*>()) {
        part->installEventFilter(this);
    }
}

void FileDropTarget::SetEnabled(bool enabled) {
    enabled_ = enabled;
    list_.setAcceptDrops(enabled);
    for (QWidget* part : list_.findChildren<QWidget*>()) {
        part->setAcceptDrops(enabled);
    }
}

// The answer can only be an action the source offers, and the drag's last
// answer is what the source hears: without Copy on offer there is no honest one.
bool FileDropTarget::Takes(const QDropEvent& event) const {
    return enabled_ && event.possibleActions().testFlag(Qt::CopyAction) &&
           CarriesLocalFiles(event.mimeData());
}

// The list's own handling never sees a drag: over the frame it would refuse it,
// over the rows it would answer what the source proposed.
bool FileDropTarget::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDragMoveEvent*>(event);
            if (Takes(*drag)) {
                drag->setDropAction(Qt::CopyAction);
                drag->accept();
            } else {
                drag->ignore();
            }
            return true;
        }
        case QEvent::Drop:
            Drop(*static_cast<QWidget*>(watched), *static_cast<QDropEvent*>(event));
            return true;
        default:
            return QObject::eventFilter(watched, event);
    }
}

void FileDropTarget::Drop(QWidget& where, QDropEvent& event) {
    if (!Takes(event)) {
        event.ignore();
        return;
    }
    event.setDropAction(Qt::CopyAction);
    event.accept();
    const QPoint position =
        list_.viewport()->mapFromGlobal(where.mapToGlobal(event.position().toPoint()));
    dropped_(DroppedLocalFiles(event.mimeData()), position);
}

}  // namespace tessaro
