#include "app/CompareText.h"

#include <algorithm>

namespace tessaro {
namespace {

int FoldedByte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (byte >= 'a' && byte <= 'z') ? byte - ('a' - 'A') : byte;
}

}  // namespace

int CompareText(std::string_view a, std::string_view b) {
    const size_t common = std::min(a.size(), b.size());
    for (size_t i = 0; i < common; ++i) {
        const int difference = FoldedByte(a[i]) - FoldedByte(b[i]);
        if (difference != 0) {
            return difference;
        }
    }
    return static_cast<int>(a.size()) - static_cast<int>(b.size());
}

}  // namespace tessaro
