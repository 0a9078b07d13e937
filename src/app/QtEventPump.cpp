#include "app/QtEventPump.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QSocketNotifier>
#include <QTimer>
#include <memory>
#include <vector>

namespace tessaro {

void QtEventPump::PumpMessages() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void QtEventPump::WaitIdle(std::span<const int> fds, int timeoutMs) {
    QEventLoop loop;
    std::vector<std::unique_ptr<QSocketNotifier>> notifiers;
    notifiers.reserve(fds.size());
    for (const int fd : fds) {
        if (fd < 0) {
            continue;
        }
        auto& notifier =
            notifiers.emplace_back(std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read));
        QObject::connect(notifier.get(), &QSocketNotifier::activated, &loop, &QEventLoop::quit);
    }
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    loop.exec();
}

}  // namespace tessaro
