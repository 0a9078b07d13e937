#include "update/ui/kuRenovatorMessageForm.h"

#include <QLabel>

#include "update/ui/kuRenovatorFormLook.h"

namespace tessaro {
namespace {

constexpr QPoint kLabelTopLeft(45, 5);
constexpr QPoint kIconTopLeft(7, 5);
constexpr int kIconSize = 32;

}  // namespace

TkuRenovatorMessageForm::TkuRenovatorMessageForm(const TLook& look) {
    SetUpForm(*this, look.objectName, look.clientSize);
    label1_ = NewLabel(this, QStringLiteral("Label1"), kLabelTopLeft);
    label1_->setWordWrap(true);
    auto* icon = new QLabel(this);
    icon->setObjectName(look.iconName);
    icon->setGeometry(QRect(kIconTopLeft, QSize(kIconSize, kIconSize)));
    icon->setPixmap(look.icon);
    bottomPanel_ = new QWidget(this);
    bottomPanel_->setObjectName(QStringLiteral("BottomPanel"));
    bottomPanel_->setGeometry(0, look.clientSize.height() - look.bottomPanelHeight,
                              look.clientSize.width(), look.bottomPanelHeight);
}

void TkuRenovatorMessageForm::SetMessage(const std::string& text, int rightMargin) {
    SetWrappedLabelText(*label1_, width() - kLabelTopLeft.x() - rightMargin, text);
    const int panelHeight = bottomPanel_->height();
    setFixedHeight(kLabelTopLeft.y() + label1_->height() + panelHeight);
    bottomPanel_->move(0, height() - panelHeight);
}

bool TkuRenovatorMessageForm::Execute() {
    CenterOnScreen(*this);
    return exec() == QDialog::Accepted;
}

}  // namespace tessaro
