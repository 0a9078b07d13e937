#include "update/utils/kuNumeric.h"

#include <cmath>
#include <cstring>

namespace tessaro {

std::uint8_t PercentsOf(long double part, long double total) {
    if (total == 0) return 0;
    const long double percent = std::round(part * 100 / total);
    if (!std::isfinite(percent) || percent < 0) return 0;
    return percent > 255 ? 255 : static_cast<std::uint8_t>(percent);
}

std::int64_t Int2x32ToInt64(std::uint32_t high, std::uint32_t low) {
    return static_cast<std::int64_t>((static_cast<std::uint64_t>(high) << 32) | low);
}

void InitMSRecord(void* record, std::int32_t size) {
    if (!record || size <= 0) return;
    std::memset(record, 0, static_cast<std::size_t>(size));
    if (size >= static_cast<std::int32_t>(sizeof size)) std::memcpy(record, &size, sizeof size);
}

}  // namespace tessaro
