#include "update/ui/kuRenovatorMessageForm.h"

#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>

#include "update/ui/kuRenovatorFormLook.h"

namespace tessaro {
namespace {

constexpr QPoint kLabelTopLeft(45, 5);
constexpr QPoint kIconTopLeft(7, 5);
constexpr int kIconSize = 32;
constexpr int kFootnoteGap = 6;
// A longer text scrolls, so that a long release note never pushes the
// buttons off the screen.
constexpr int kMaxMessageHeight = 240;

}  // namespace

TkuRenovatorMessageForm::TkuRenovatorMessageForm(const TLook& look) {
    SetUpForm(*this, look.objectName, look.clientSize);
    messageArea_ = new QScrollArea(this);
    messageArea_->setObjectName(QStringLiteral("MessageArea"));
    messageArea_->setFrameShape(QFrame::NoFrame);
    messageArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    messageArea_->move(kLabelTopLeft);
    label1_ = NewLabel(nullptr, QStringLiteral("Label1"), {});
    label1_->setWordWrap(true);
    messageArea_->setWidget(label1_);
    footnote_ = NewLabel(this, QStringLiteral("Footnote"), kLabelTopLeft);
    auto* icon = new QLabel(this);
    icon->setObjectName(look.iconName);
    icon->setGeometry(QRect(kIconTopLeft, QSize(kIconSize, kIconSize)));
    icon->setPixmap(look.icon);
    bottomPanel_ = new QWidget(this);
    bottomPanel_->setObjectName(QStringLiteral("BottomPanel"));
    bottomPanel_->setGeometry(0, look.clientSize.height() - look.bottomPanelHeight,
                              look.clientSize.width(), look.bottomPanelHeight);
}

void TkuRenovatorMessageForm::PlaceMessage(const std::string& text, int width) {
    // Whole lines only: the last one shown is never cut in half.
    const int lineSpacing = label1_->fontMetrics().lineSpacing();
    const int maxHeight = kMaxMessageHeight / lineSpacing * lineSpacing;
    SetWrappedLabelText(*label1_, width, text);
    if (label1_->height() > maxHeight) {
        const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, messageArea_);
        SetWrappedLabelText(*label1_, width - bar, text);
    }
    messageArea_->resize(width, std::min(label1_->height(), maxHeight));
    messageArea_->verticalScrollBar()->setValue(0);
}

void TkuRenovatorMessageForm::SetMessage(const std::string& text, int rightMargin,
                                         const std::string& footnote) {
    const int textWidth = width() - kLabelTopLeft.x() - rightMargin;
    PlaceMessage(text, textWidth);
    int bottom = messageArea_->geometry().bottom() + 1;
    SetWrappedLabelText(*footnote_, textWidth, footnote);
    footnote_->setVisible(!footnote.empty());
    if (!footnote.empty()) {
        footnote_->move(kLabelTopLeft.x(), bottom + kFootnoteGap);
        bottom = footnote_->geometry().bottom() + 1;
    }
    const int panelHeight = bottomPanel_->height();
    setFixedHeight(bottom + panelHeight);
    bottomPanel_->move(0, height() - panelHeight);
}

bool TkuRenovatorMessageForm::Execute() {
    CenterOnScreen(*this);
    return exec() == QDialog::Accepted;
}

}  // namespace tessaro
