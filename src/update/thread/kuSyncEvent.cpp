#include "update/thread/kuSyncEvent.h"

#include <mutex>
#include <unordered_map>

#include "update/thread/kuThreadTypes.h"

namespace tessaro {

namespace {

struct TEventTable {
    std::mutex mutex;
    std::unordered_map<std::uint32_t, std::shared_ptr<TkuSyncEvent>> events;
    std::uint32_t lastHandle = 0;
};

TEventTable& Table() {
    static TEventTable table;
    return table;
}

// Skips 0, kuInvalidHandle and handles still open after a wrap-around.
std::uint32_t NextFreeHandle(TEventTable& table) {
    do {
        ++table.lastHandle;
    } while (table.lastHandle == 0 || table.lastHandle == kuInvalidHandle ||
             table.events.contains(table.lastHandle));
    return table.lastHandle;
}

}  // namespace

std::uint32_t TkuSyncEvent::Create() {
    TEventTable& table = Table();
    std::lock_guard lock(table.mutex);
    const std::uint32_t handle = NextFreeHandle(table);
    table.events.emplace(handle, std::make_shared<TkuSyncEvent>());
    return handle;
}

std::shared_ptr<TkuSyncEvent> TkuSyncEvent::Find(std::uint32_t handle) {
    TEventTable& table = Table();
    std::lock_guard lock(table.mutex);
    const auto found = table.events.find(handle);
    return found == table.events.end() ? nullptr : found->second;
}

bool TkuSyncEvent::Set(std::uint32_t handle) {
    const std::shared_ptr<TkuSyncEvent> event = Find(handle);
    if (!event) return false;
    event->FSignalled.store(true, std::memory_order_release);
    event->FWaiters.WakeAll();
    return true;
}

bool TkuSyncEvent::Reset(std::uint32_t handle) {
    const std::shared_ptr<TkuSyncEvent> event = Find(handle);
    if (!event) return false;
    event->FSignalled.store(false, std::memory_order_release);
    return true;
}

bool TkuSyncEvent::Close(std::uint32_t handle) {
    TEventTable& table = Table();
    std::lock_guard lock(table.mutex);
    return table.events.erase(handle) > 0;
}

}  // namespace tessaro
