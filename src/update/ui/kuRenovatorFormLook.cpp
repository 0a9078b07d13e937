#include "update/ui/kuRenovatorFormLook.h"

#include <QDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace tessaro {

QFont RenovatorFont(const QString& family, int pixelSize) {
    QFont font(family);
    font.setPixelSize(pixelSize);
    return font;
}

QFont RenovatorFormFont() {
    return RenovatorFont(QStringLiteral("MS Sans Serif"), kuFormFontPixels);
}

void SetUpForm(QDialog& form, const QString& objectName, QSize clientSize) {
    form.setObjectName(objectName);
    form.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                        Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                        Qt::MSWindowsFixedSizeDialogHint);
    form.setFont(RenovatorFormFont());
    form.setFixedSize(clientSize);
    form.setAttribute(Qt::WA_DeleteOnClose);
    form.setAttribute(Qt::WA_QuitOnClose, false);
}

void CenterOnScreen(QWidget& form) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    QRect frame = form.frameGeometry();
    frame.moveCenter(screen->geometry().center());
    form.move(frame.topLeft());
}

QString ApplicationTitle() {
    return QGuiApplication::applicationDisplayName();
}

QLabel* NewLabel(QWidget* parent, const QString& objectName, QPoint topLeft) {
    auto* label = new QLabel(parent);
    label->setObjectName(objectName);
    // File names and titles come from outside: never interpret them as markup.
    label->setTextFormat(Qt::PlainText);
    label->move(topLeft);
    return label;
}

void SetLabelText(QLabel& label, const std::string& text) {
    label.setText(QString::fromStdString(text));
    label.adjustSize();
}

void SetWrappedLabelText(QLabel& label, int width, const std::string& text) {
    label.setWordWrap(true);
    label.setText(QString::fromStdString(text));
    label.resize(width, label.heightForWidth(width));
}

QPushButton* NewButton(QWidget* parent, const QString& objectName, const QRect& geometry) {
    auto* button = new QPushButton(parent);
    button->setObjectName(objectName);
    button->setGeometry(geometry);
    return button;
}

}  // namespace tessaro
