#include "platform/TerminationCleanup.h"

#include <limits.h>
#include <signal.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cstring>

namespace tessaro::platform {
namespace {

constexpr std::array kEndingSignals = {SIGTERM, SIGINT, SIGHUP};

std::atomic<bool> enabled{false};
// Read by the handler: written only with the ending signals blocked.
char pendingPath[PATH_MAX + 1] = {};

extern "C" void RemovePendingAndEnd(int signal) {
    if (pendingPath[0] != '\0') ::unlink(pendingPath);
    ::signal(signal, SIG_DFL);
    ::raise(signal);
}

sigset_t EndingSignals() {
    sigset_t set;
    sigemptyset(&set);
    for (int signal : kEndingSignals) sigaddset(&set, signal);
    return set;
}

}  // namespace

void EnableTerminationCleanup() {
    if (enabled.exchange(true)) return;
    struct sigaction action {};
    action.sa_handler = RemovePendingAndEnd;
    action.sa_mask = EndingSignals();
    for (int signal : kEndingSignals) ::sigaction(signal, &action, nullptr);
}

void RemoveOnTermination(const char* path) {
    if (!enabled.load()) return;
    const sigset_t blocked = EndingSignals();
    sigset_t previous;
    ::sigprocmask(SIG_BLOCK, &blocked, &previous);
    if (path != nullptr && std::strlen(path) < sizeof pendingPath)
        std::strcpy(pendingPath, path);
    else
        pendingPath[0] = '\0';
    ::sigprocmask(SIG_SETMASK, &previous, nullptr);
}

}  // namespace tessaro::platform
