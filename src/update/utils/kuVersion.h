#pragma once

#include <cstdint>
#include <string_view>

namespace tessaro {

// Compares dotted version numbers part by part (four parts, missing ones 0):
// 1 when Version1 is the greater, -1 when the smaller, 0 when equal. A part that
// is not a decimal number makes it a byte-wise comparison of the whole texts,
// whose sign is returned as -1, 0 or 1.
std::int8_t VersionCheck(std::string_view version1, std::string_view version2);

}  // namespace tessaro
