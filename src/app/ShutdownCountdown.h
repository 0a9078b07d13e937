#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QTimer;

namespace tessaro {

// Counts down before the computer powers off after a run, showing how the
// run ended; Cancel keeps the computer on. Accepted when the time ran out.
class ShutdownCountdown final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ShutdownCountdown)

public:
    static constexpr int kDefaultSeconds = 60;

    ShutdownCountdown(const QString& runEnd, int seconds, QWidget* parent = nullptr);

    int SecondsLeft() const { return secondsLeft_; }

private:
    void Tick();
    void ShowSecondsLeft();

    QString runEnd_;
    int secondsLeft_ = 0;
    QLabel* message_ = nullptr;
    QTimer* timer_ = nullptr;
};

}  // namespace tessaro
