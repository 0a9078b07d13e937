#pragma once

#include <QMessageBox>
#include <QString>

namespace tessaro {

struct TkuMessageBoxStyle {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    bool stayOnTop = false;
    QString objectName{};
};

// An application-modal message box over `owner` (none: the application). The
// answer is NoButton when the owner was destroyed while the box was open.
QMessageBox::StandardButton RenovatorMessageBox(QWidget* owner, const QString& caption,
                                                const QString& text,
                                                const TkuMessageBoxStyle& style);

}  // namespace tessaro
