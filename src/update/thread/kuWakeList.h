#pragma once

#include <mutex>
#include <vector>

namespace tessaro {

class TkuWaitLoop;

// The wait loops to wake when a run ends or an event is signalled.
class TkuWakeList final {
public:
    void Add(TkuWaitLoop* loop);
    void Remove(TkuWaitLoop* loop);
    void WakeAll();

private:
    std::mutex FMutex;
    std::vector<TkuWaitLoop*> FLoops;
};

// Keeps a loop on a wake list while it waits; a loop is never woken once removed.
class TkuWakeRegistration final {
public:
    TkuWakeRegistration(TkuWakeList& list, TkuWaitLoop& loop) : FList(list), FLoop(loop) {
        FList.Add(&FLoop);
    }
    ~TkuWakeRegistration() { FList.Remove(&FLoop); }
    TkuWakeRegistration(const TkuWakeRegistration&) = delete;
    TkuWakeRegistration& operator=(const TkuWakeRegistration&) = delete;

private:
    TkuWakeList& FList;
    TkuWaitLoop& FLoop;
};

}  // namespace tessaro
