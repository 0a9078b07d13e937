#pragma once

#include <string_view>

namespace tessaro {

// Byte order after folding only ASCII a..z to upper case: the difference of the
// first differing bytes, or of the lengths when one text is a prefix of the
// other. Numbers compare as text, so "1280" comes before "720".
int CompareText(std::string_view a, std::string_view b);

}  // namespace tessaro
