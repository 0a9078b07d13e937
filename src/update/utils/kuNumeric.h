#pragma once

#include <cstdint>

namespace tessaro {

// Part as a rounded percentage of Total; 0 when Total is 0 or the arithmetic
// fails, and held to 0..255 (a resumed transfer may pass 100).
std::uint8_t PercentsOf(long double part, long double total);

// Combines two 32-bit halves into one 64-bit value.
std::int64_t Int2x32ToInt64(std::uint32_t high, std::uint32_t low);

// Zero-fills a size-prefixed record and stores its size in the first 32-bit
// field; records smaller than that field are only zero-filled, a negative size
// does nothing.
void InitMSRecord(void* record, std::int32_t size);

}  // namespace tessaro
