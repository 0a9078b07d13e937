#include "update/ui/kuRenovatorPassword.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QStyle>

#include "update/renovator/kuRenovatorLanguage.h"
#include "update/ui/kuRenovatorFormLook.h"

namespace tessaro {
namespace {

QPointer<TkuRenovatorPasswordForm> thePasswordForm;

constexpr int kLabelRightMargin = 18;

QLineEdit* NewEdit(QWidget* parent, const QString& objectName, const QRect& geometry) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(objectName);
    edit->setGeometry(geometry);
    return edit;
}

QPixmap PasswordIcon() {
    return QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32, 32);
}

}  // namespace

TkuRenovatorPasswordForm::TkuRenovatorPasswordForm()
    : TkuRenovatorMessageForm({QStringLiteral("kuRenovatorPasswordForm"), QSize(297, 141),
                               QStringLiteral("Image1"), PasswordIcon(), 98}) {
    QWidget* panel = BottomPanel();
    usernameLab_ = NewLabel(panel, QStringLiteral("UsernameLab"), {45, 14});
    passwordLab_ = NewLabel(panel, QStringLiteral("PasswordLab"), {45, 38});
    usernameEdit_ = NewEdit(panel, QStringLiteral("UsernameEdit"), {122, 10, 157, 21});
    passwordEdit_ = NewEdit(panel, QStringLiteral("PasswordEdit"), {122, 34, 157, 21});
    passwordEdit_->setEchoMode(QLineEdit::Password);
    okBtn_ = NewButton(panel, QStringLiteral("OKBtn"), {114, 68, 75, 23});
    okBtn_->setDefault(true);
    connect(okBtn_, &QPushButton::clicked, this, [this] {
        host_->SetHTTPUsername(usernameEdit_->text().toStdString());
        host_->SetHTTPPassword(passwordEdit_->text().toStdString());
        accept();
    });
    cancelBtn_ = NewButton(panel, QStringLiteral("CancelBtn"), {204, 68, 75, 23});
    connect(cancelBtn_, &QPushButton::clicked, this, &QDialog::reject);
}

bool TkuRenovatorPasswordForm::Execute(TkuRenovatorWizardHost& host, const std::string& fileName) {
    host_ = &host;
    SetMessage(KUFmtLangStr(29, {fileName}), kLabelRightMargin);
    setWindowTitle(QString::fromStdString(KULangStr(11)));
    SetLabelText(*usernameLab_, KULangStr(12));
    usernameEdit_->setText(QString::fromStdString(host.HTTPUsername()));
    SetLabelText(*passwordLab_, KULangStr(13));
    okBtn_->setText(QString::fromStdString(KULangStr(16)));
    cancelBtn_->setText(QString::fromStdString(KULangStr(17)));
    return TkuRenovatorMessageForm::Execute();
}

bool ShowPasswordBox(TkuRenovatorWizardHost& host, const std::string& fileName) {
    if (!thePasswordForm) thePasswordForm = new TkuRenovatorPasswordForm;
    return thePasswordForm->Execute(host, fileName);
}

}  // namespace tessaro
