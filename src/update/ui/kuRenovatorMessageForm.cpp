#include "update/ui/kuRenovatorMessageForm.h"

#include <QLabel>

#include "update/ui/kuRenovatorFormLook.h"

namespace tessaro {
namespace {

constexpr QPoint kLabelTopLeft(45, 5);
constexpr QPoint kIconTopLeft(7, 5);
constexpr int kIconSize = 32;
constexpr int kFootnoteGap = 6;

}  // namespace

TkuRenovatorMessageForm::TkuRenovatorMessageForm(const TLook& look) {
    SetUpForm(*this, look.objectName, look.clientSize);
    label1_ = NewLabel(this, QStringLiteral("Label1"), kLabelTopLeft);
    label1_->setWordWrap(true);
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

void TkuRenovatorMessageForm::SetMessage(const std::string& text, int rightMargin,
                                         const std::string& footnote) {
    const int textWidth = width() - kLabelTopLeft.x() - rightMargin;
    SetWrappedLabelText(*label1_, textWidth, text);
    int bottom = label1_->geometry().bottom() + 1;
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
