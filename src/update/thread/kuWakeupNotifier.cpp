#include "update/thread/kuWakeupNotifier.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace tessaro {

namespace {

int CreateEventFd() {
    const int fd = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (fd < 0) throw std::system_error(errno, std::generic_category(), "eventfd");
    return fd;
}

}  // namespace

TkuWakeupNotifier::TkuWakeupNotifier(std::function<void()> handler)
    : FFd(CreateEventFd()), FNotifier(FFd, QSocketNotifier::Read), FHandler(std::move(handler)) {
    connect(&FNotifier, &QSocketNotifier::activated, this, &TkuWakeupNotifier::Consume);
}

TkuWakeupNotifier::~TkuWakeupNotifier() {
    FNotifier.setEnabled(false);
    close(FFd);
}

void TkuWakeupNotifier::Raise() {
    const eventfd_t one = 1;
    // Fails only when the counter is about to overflow, and it is readable then anyway.
    [[maybe_unused]] const ssize_t written = write(FFd, &one, sizeof one);
}

void TkuWakeupNotifier::Consume() {
    eventfd_t count = 0;
    [[maybe_unused]] const ssize_t read = ::read(FFd, &count, sizeof count);
    FHandler();
}

}  // namespace tessaro
