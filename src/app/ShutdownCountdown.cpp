#include "app/ShutdownCountdown.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace tessaro {

ShutdownCountdown::ShutdownCountdown(const QString& runEnd, int seconds, QWidget* parent)
    : QDialog(parent), runEnd_(runEnd), secondsLeft_(seconds) {
    setObjectName(QStringLiteral("ShutdownCountdown"));
    setWindowTitle(QStringLiteral("Tessaro"));
    message_ = new QLabel(this);
    message_->setObjectName(QStringLiteral("CountdownMessage"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("CountdownCancel"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(message_);
    layout->addWidget(buttons);
    timer_ = new QTimer(this);
    timer_->setInterval(1000);
    connect(timer_, &QTimer::timeout, this, &ShutdownCountdown::Tick);
    timer_->start();
    ShowSecondsLeft();
    if (secondsLeft_ <= 0) QTimer::singleShot(0, this, &QDialog::accept);
}

void ShutdownCountdown::Tick() {
    --secondsLeft_;
    ShowSecondsLeft();
    if (secondsLeft_ > 0) return;
    timer_->stop();
    accept();
}

void ShutdownCountdown::ShowSecondsLeft() {
    message_->setText(QStringLiteral("%1\nThe computer powers off in %2 s.")
                          .arg(runEnd_)
                          .arg(std::max(secondsLeft_, 0)));
}

}  // namespace tessaro
