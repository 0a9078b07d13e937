#include "encode/RunMarkers.h"

namespace tessaro {

std::string JobText(const std::vector<int>& numbers, int count) {
    std::string text(kJobTextPrefix);
    for (size_t i = 0; i < numbers.size(); ++i)
        text += (i > 0 ? "+" : "") + std::to_string(numbers[i]);
    return text + "/" + std::to_string(count);
}

std::string StatusLine(std::string_view status) {
    return std::string(kStatusMarker) + std::string(status);
}

}  // namespace tessaro
