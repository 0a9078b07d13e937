#pragma once

#include <cstdint>
#include <string>

#include "encode/FileKind.h"
#include "encode/VideoStruct.h"

namespace tessaro {

// Fills `record` from the file's streams (or, for a subtitle file, its format
// and text encoding) and returns the decision code: -1 nothing to do, 0 to 6
// for video files under `serial`, 7 to 11 for subtitle files.
// A subtitle file that cannot be read throws std::system_error; the caller
// decides what becomes of it.
int8_t ProbeFile(FileKind kind, video_struct& record, const std::string& path, int serial);

// The file's playing time in seconds, 0 when the library knows none.
double ProbeDurationSeconds(const std::string& path);

// The bit rate a video gets when the library reports none, in bit/s.
inline constexpr int32_t kUnreportedBitrate = 512000;
// video_format after a probe that failed with an exception.
inline constexpr const char* kUnknownFormat = "UNKNOWN";

}  // namespace tessaro
