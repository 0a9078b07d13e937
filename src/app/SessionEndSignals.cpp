#include "app/SessionEndSignals.h"

#include <fcntl.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <cerrno>
#include <stdexcept>
#include <system_error>

namespace tessaro {
namespace {

// The handler may only write to a pipe; the event loop does the rest.
volatile sig_atomic_t gWriteEnd = -1;

void OnSignal(int signalNumber) {
    const int savedErrno = errno;
    const unsigned char byte = static_cast<unsigned char>(signalNumber);
    // A full pipe already holds a wake-up; the number lost does not matter.
    [[maybe_unused]] const ssize_t written = ::write(gWriteEnd, &byte, 1);
    errno = savedErrno;
}

}  // namespace

SessionEndSignals::SessionEndSignals(QObject* parent) : QObject(parent) {
    if (gWriteEnd != -1) throw std::logic_error("session end signals are taken already");
    if (::pipe2(pipe_.data(), O_CLOEXEC | O_NONBLOCK) != 0)
        throw std::system_error(errno, std::generic_category(), "pipe for session end signals");
    gWriteEnd = pipe_[1];
    notifier_ = new QSocketNotifier(pipe_[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &SessionEndSignals::ReadPending);
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (size_t index = 0; index < kSignals.size(); ++index)
        ::sigaction(kSignals[index], &action, &previous_[index]);
}

SessionEndSignals::~SessionEndSignals() {
    for (size_t index = 0; index < kSignals.size(); ++index)
        ::sigaction(kSignals[index], &previous_[index], nullptr);
    gWriteEnd = -1;
    ::close(pipe_[0]);
    ::close(pipe_[1]);
}

void SessionEndSignals::ReadPending() {
    unsigned char byte = 0;
    while (::read(pipe_[0], &byte, 1) == 1) emit SessionEnding(byte);
}

}  // namespace tessaro
