#include "update/utils/kuVersion.h"

#include <array>
#include <string>

#include "update/utils/kuText.h"

namespace tessaro {
namespace {

constexpr int kNotANumber = -1;

std::array<std::string, 4> FourParts(std::string_view version) {
    const std::string dotted = std::string(version) + ".";
    std::string_view rest = dotted;
    std::array<std::string, 4> parts = {"0", "0", "0", "0"};
    for (std::string& part : parts) {
        const std::size_t dot = rest.find('.');
        if (dot == std::string_view::npos) break;
        part = std::string(rest.substr(0, dot));
        rest.remove_prefix(dot + 1);
    }
    return parts;
}

std::int8_t Sign(int value) {
    return static_cast<std::int8_t>((value > 0) - (value < 0));
}

}  // namespace

std::int8_t VersionCheck(std::string_view version1, std::string_view version2) {
    const auto parts1 = FourParts(version1);
    const auto parts2 = FourParts(version2);
    for (std::size_t i = 0; i < parts1.size(); ++i) {
        const int number1 = StrToIntDef(parts1[i], kNotANumber);
        const int number2 = StrToIntDef(parts2[i], kNotANumber);
        // Only the sign counts: an 8-bit cut of the difference could flip it.
        if (number1 == kNotANumber || number2 == kNotANumber)
            return Sign(version1.compare(version2));
        if (number1 != number2) return number1 > number2 ? 1 : -1;
    }
    return 0;
}

}  // namespace tessaro
