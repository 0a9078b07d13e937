#pragma once

#include <cstdint>

namespace tessaro::tools {

// Copies from the current offset of `from` to its end into `to`, letting the
// kernel move the bytes where it can. Returns false with errno set.
bool CopyFileContents(int from, int to, uint64_t& copied);

}  // namespace tessaro::tools
