#include "update/http/kuHTTPProgress.h"

#include <cmath>

#include "update/utils/kuNumeric.h"

namespace tessaro {

TkuHTTPProgressValues PrepareProgressParams(std::uint32_t dataSize, std::uint32_t transferred,
                                            std::uint32_t offset, std::uint32_t elapsedMs) {
    TkuHTTPProgressValues values;
    values.PercentsDone = PercentsOf(static_cast<long double>(transferred) + offset,
                                     static_cast<long double>(dataSize) + offset);
    values.ElapsedTime = static_cast<std::int32_t>(elapsedMs / 1000);
    const double total =
        transferred == 0 ? 0 : static_cast<double>(dataSize) / transferred * values.ElapsedTime;
    values.EstimatedTimeLeft = static_cast<std::int32_t>(std::lround(total)) - values.ElapsedTime;
    values.TransferRate = static_cast<float>(transferred) / 1024;
    if (values.ElapsedTime != 0) values.TransferRate /= static_cast<float>(values.ElapsedTime);
    return values;
}

}  // namespace tessaro
