#pragma once

#include <string>

namespace tessaro::platform {

// Reads a regular file completely into `content`. False with errno set when it
// cannot be opened or read, or is not a regular file (a folder gives EISDIR), so
// nothing ever blocks on a pipe or device handed over as a file.
bool ReadWholeFile(const std::string& path, std::string& content);

}  // namespace tessaro::platform
