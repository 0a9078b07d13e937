#pragma once

#include <QFont>
#include <QRect>
#include <QString>

#include <string>

class QDialog;
class QLabel;
class QPushButton;
class QWidget;

namespace tessaro {

// The forms are laid out in pixels for "MS Sans Serif" at 8 points (11 px);
// where that font is missing, Qt substitutes the desktop's sans font.
inline constexpr int kuFormFontPixels = 11;

QFont RenovatorFont(const QString& family, int pixelSize);
QFont RenovatorFormFont();

// A fixed-size dialog border around a client area of `clientSize`, in the
// forms' font. The form frees itself when it closes, and never keeps the
// program running once the main window has closed.
void SetUpForm(QDialog& form, const QString& objectName, QSize clientSize);
void CenterOnScreen(QWidget& form);

// The application title the messages name.
QString ApplicationTitle();

// A plain-text label at `topLeft` that sizes itself to its text.
QLabel* NewLabel(QWidget* parent, const QString& objectName, QPoint topLeft);
void SetLabelText(QLabel& label, const std::string& text);
// A word-wrapped label of `width` that takes the height of its wrapped text.
void SetWrappedLabelText(QLabel& label, int width, const std::string& text);

QPushButton* NewButton(QWidget* parent, const QString& objectName, const QRect& geometry);

}  // namespace tessaro
