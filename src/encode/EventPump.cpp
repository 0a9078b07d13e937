#include "encode/EventPump.h"

#include <poll.h>

#include <vector>

namespace tessaro {

void PollEventPump::WaitIdle(std::span<const int> fds, int timeoutMs) {
    std::vector<pollfd> watched;
    for (int fd : fds) watched.push_back(pollfd{fd, POLLIN, 0});
    // EINTR is fine: a signal handler that stops the run also wakes the loop.
    ::poll(watched.data(), watched.size(), timeoutMs);
}

}  // namespace tessaro
