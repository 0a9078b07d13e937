#pragma once

#include <QStringList>

class QDragMoveEvent;
class QMimeData;

namespace tessaro {

// Whether a drag carries at least one local file, the only thing the lists take.
bool CarriesLocalFiles(const QMimeData* data);

// Accepts a drag over a list that takes drops when it carries local files.
void AnswerFileDrag(QDragMoveEvent* event, bool dropsEnabled);

// Local paths of a text/uri-list drop in the order the file manager gave them,
// each kept whole whatever its length. Remote URLs are left out.
QStringList DroppedLocalFiles(const QMimeData* data);

}  // namespace tessaro
