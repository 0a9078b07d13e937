#pragma once

#include <string>

namespace tessaro::tools {

// Reads a regular file completely; false with a readable reason otherwise.
bool ReadWholeFile(const std::string& path, std::string& content, std::string& error);

}  // namespace tessaro::tools
