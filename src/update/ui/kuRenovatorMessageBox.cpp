#include "update/ui/kuRenovatorMessageBox.h"

#include <QPointer>

namespace tessaro {

QMessageBox::StandardButton RenovatorMessageBox(QWidget* owner, const QString& caption,
                                                const QString& text,
                                                const TkuMessageBoxStyle& style) {
    // On the heap: the owner may be destroyed while the box waits, taking the box with it.
    QPointer<QMessageBox> box = new QMessageBox(style.icon, caption, text, style.buttons, owner);
    box->setObjectName(style.objectName);
    box->setTextFormat(Qt::PlainText);
    box->setWindowModality(Qt::ApplicationModal);
    box->setWindowFlag(Qt::WindowStaysOnTopHint, style.stayOnTop);
    const int answer = box->exec();
    if (box) delete box;
    return static_cast<QMessageBox::StandardButton>(answer);
}

}  // namespace tessaro
