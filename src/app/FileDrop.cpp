#include "app/FileDrop.h"

#include <QDragMoveEvent>
#include <QMimeData>
#include <QUrl>

namespace tessaro {

bool CarriesLocalFiles(const QMimeData* data) {
    return !DroppedLocalFiles(data).isEmpty();
}

void AnswerFileDrag(QDragMoveEvent* event, bool dropsEnabled) {
    if (dropsEnabled && CarriesLocalFiles(event->mimeData())) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

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

}  // namespace tessaro
