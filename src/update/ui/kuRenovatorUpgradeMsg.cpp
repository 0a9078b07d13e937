#include "update/ui/kuRenovatorUpgradeMsg.h"

#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QStyle>

#include "update/renovator/kuRenovatorLanguage.h"
#include "update/ui/kuRenovatorFormLook.h"

namespace tessaro {
namespace {

QPointer<TkuRenovatorUpgradeMessageForm> theUpgradeMessageForm;

constexpr int kLabelRightMargin = 11;

QPixmap QuestionIcon() {
    return QApplication::style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(32, 32);
}

}  // namespace

TkuRenovatorUpgradeMessageForm::TkuRenovatorUpgradeMessageForm()
    : TkuRenovatorMessageForm({QStringLiteral("kuRenovatorUpgradeMessageForm"), QSize(318, 119),
                               QStringLiteral("Icon"), QuestionIcon(), 45}) {
    setWindowFlag(Qt::WindowStaysOnTopHint);
    yesBtn_ = NewButton(BottomPanel(), QStringLiteral("YesBtn"), {78, 13, 75, 23});
    yesBtn_->setDefault(true);
    connect(yesBtn_, &QPushButton::clicked, this, &QDialog::accept);
    laterBtn_ = NewButton(BottomPanel(), QStringLiteral("LaterBtn"), {167, 13, 75, 23});
    connect(laterBtn_, &QPushButton::clicked, this, &QDialog::reject);
}

bool TkuRenovatorUpgradeMessageForm::Execute(const std::string& upgradeMsg,
                                             const std::string& versionChange) {
    const std::string note = upgradeMsg.empty() ? upgradeMsg : "\n" + upgradeMsg + "\n";
    SetMessage(KUFmtLangStr(23, {UpgradeQuestionTitle(), note}), kLabelRightMargin, versionChange);
    setWindowTitle(QString::fromStdString(KULangStr(0)));
    yesBtn_->setText(QString::fromStdString(KULangStr(14)));
    laterBtn_->setText(QString::fromStdString(KULangStr(19)));
    return TkuRenovatorMessageForm::Execute();
}

std::string UpgradeQuestionTitle() {
    const std::string title = ApplicationTitle().toStdString();
    const std::string hidden = LoadLangString(kuHiddenTitleId);
    if (!hidden.empty() && title.find(hidden) != std::string::npos)
        return LoadLangString(kuAppTitlePlaceholderId);
    return title;
}

bool ShowUpgradeBox(const std::string& upgradeMsg, const std::string& versionChange) {
    if (!theUpgradeMessageForm) theUpgradeMessageForm = new TkuRenovatorUpgradeMessageForm;
    return theUpgradeMessageForm->Execute(upgradeMsg, versionChange);
}

}  // namespace tessaro
