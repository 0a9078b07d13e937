#pragma once

#include <QObject>
#include <QPoint>
#include <QStringList>
#include <functional>

class QAbstractScrollArea;
class QDropEvent;

namespace tessaro {

// Makes a whole list control one target for dropped files: the rows, the
// column header, the frame and the scroll bars alike. A drop is answered Copy
// whatever the source proposes, since the files are only read and a source
// told Move could delete them; a source that offers no Copy is refused.
class FileDropTarget final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FileDropTarget)

public:
    // `dropped` gets the local files of each drop, in the order the file
    // manager gave them and each kept whole, and where they landed in the
    // list's viewport coordinates. Remote URLs are left out.
    using DroppedFiles = std::function<void(const QStringList& files, const QPoint& position)>;
    FileDropTarget(QAbstractScrollArea& list, DroppedFiles dropped);

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool Takes(const QDropEvent& event) const;
    void Drop(QWidget& where, QDropEvent& event);

    QAbstractScrollArea& list_;
    DroppedFiles dropped_;
    bool enabled_ = false;
};

}  // namespace tessaro
