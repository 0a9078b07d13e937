#pragma once

#include <QObject>
#include <array>
#include <csignal>

class QSocketNotifier;

namespace tessaro {

// SIGTERM, SIGINT and SIGHUP (the desktop session ending, Ctrl-C, a closed
// terminal) turned into a Qt signal on the thread that made this object, so
// that the window can close the normal way instead of dying. One at a time.
class SessionEndSignals final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SessionEndSignals)

public:
    explicit SessionEndSignals(QObject* parent = nullptr);
    // Puts the handlers back as they were.
    ~SessionEndSignals() override;

signals:
    void SessionEnding(int signalNumber);

private:
    void ReadPending();

    static constexpr std::array<int, 3> kSignals = {SIGTERM, SIGINT, SIGHUP};
    std::array<int, 2> pipe_ = {-1, -1};
    std::array<struct sigaction, kSignals.size()> previous_{};
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace tessaro
