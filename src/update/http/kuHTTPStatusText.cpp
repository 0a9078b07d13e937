#include "update/http/kuHTTPStatusText.h"

#include <array>
#include <utility>

namespace tessaro {

std::string HTTPStatusText(std::uint32_t statusID) {
    static constexpr std::array<std::pair<std::uint32_t, const char*>, 18> kTexts = {{
        {10, "Resolving name"},
        {11, "Name resolved"},
        {20, "Connecting to server"},
        {21, "Connected"},
        {30, "Sending Request"},
        {31, "Request sent"},
        {40, "Receiving response"},
        {41, "Response received"},
        {42, "CTL Response received"},
        {43, "Prefetch"},
        {50, "Closing connection"},
        {51, "Connection closed"},
        {60, "Handle created"},
        {70, "Handle closing"},
        {100, "Request complete"},
        {110, "Redirect"},
        {120, "Intermediate response"},
        {200, "State change"},
    }};
    for (const auto& [id, text] : kTexts)
        if (id == statusID) return text;
    return "Unknown status";
}

}  // namespace tessaro
