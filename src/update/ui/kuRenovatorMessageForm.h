#pragma once

#include <QDialog>
#include <QPixmap>

#include <string>

class QLabel;
class QScrollArea;
class QPushButton;

namespace tessaro {

// The frame shared by the password dialog and the upgrade question: a
// word-wrapped text beside a 32 x 32 icon, the buttons on a panel below, and
// a height that follows the text up to a bound.
class TkuRenovatorMessageForm : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TkuRenovatorMessageForm)

protected:
    struct TLook {
        QString objectName;
        QSize clientSize;
        QString iconName;
        QPixmap icon;
        int bottomPanelHeight = 0;
    };

    explicit TkuRenovatorMessageForm(const TLook& look);

    QWidget* BottomPanel() const { return bottomPanel_; }
    // Label1 := `text`, `rightMargin` from the right edge, with `footnote` on
    // a line of its own below it (none when empty); the form takes their height.
    // A text taller than 240 pixels scrolls in a box of that height.
    void SetMessage(const std::string& text, int rightMargin, const std::string& footnote = {});
    // Shows the form centred and modal; it frees itself when it closes.
    bool Execute();

private:
    // Label1 in its box at most 240 pixels high, narrower by the scroll bar when it scrolls.
    void PlaceMessage(const std::string& text, int width);

    QScrollArea* messageArea_ = nullptr;
    QLabel* label1_ = nullptr;
    QLabel* footnote_ = nullptr;
    QWidget* bottomPanel_ = nullptr;
};

}  // namespace tessaro
