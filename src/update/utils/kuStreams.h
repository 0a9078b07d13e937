#pragma once

#include <string>

class QIODevice;

namespace tessaro {

// Appends the bytes of the compiled-in resource ":/<ResType>/<Name>" to the
// open stream. False when the stream is missing, the resource is absent or
// empty, or writing fails.
bool LoadResourceToStream(const char* name, const char* resType, QIODevice* stream);

// The bytes from the stream's current position to its end; empty for a
// missing or unreadable stream.
std::string StreamToString(QIODevice* stream);

}  // namespace tessaro
