#pragma once

#include <cstdint>
#include <exception>
#include <functional>

class QObject;

namespace tessaro {

// Index order is the form-file order of the framework's thread priority.
enum class TThreadPriority : int {
    tpIdle,
    tpLowest,
    tpLower,
    tpNormal,
    tpHigher,
    tpHighest,
    tpTimeCritical
};

using TNotifyEvent = std::function<void(QObject* Sender)>;
using TThreadMethod = std::function<void()>;
using TkuThreadWaitTimeoutExpired = std::function<void(QObject* Sender, bool& TerminateThread)>;
using TkuThreadMethodEx = std::function<void(void* Data)>;

// What an event handle holds once its wait has ended.
inline constexpr std::uint32_t kuInvalidHandle = 0xFFFFFFFF;

// Thrown on a worker whose run was forcibly terminated, at its next call into the
// user-interface thread: it unwinds the work so that nothing after that point runs.
// Work must let it pass (never swallow it with catch (...)).
class EkuThreadTerminated final : public std::exception {
public:
    const char* what() const noexcept override { return "thread terminated"; }
};

}  // namespace tessaro
