#include "update/thread/kuWakeList.h"

#include <algorithm>

#include "update/thread/kuWaitLoop.h"

namespace tessaro {

void TkuWakeList::Add(TkuWaitLoop* loop) {
    std::lock_guard lock(FMutex);
    FLoops.push_back(loop);
}

void TkuWakeList::Remove(TkuWaitLoop* loop) {
    std::lock_guard lock(FMutex);
    std::erase(FLoops, loop);
}

void TkuWakeList::WakeAll() {
    std::lock_guard lock(FMutex);
    for (TkuWaitLoop* loop : FLoops) loop->Wake();
}

}  // namespace tessaro
