#pragma once

#include <cstdint>
#include <string>

#include "update/utils/kuDateTime.h"

namespace tessaro {

// Sets the file's times from local date-times; -1 leaves a time as it is.
// Linux keeps no settable creation time, so Created is accepted and ignored.
// False when the file is missing or its times cannot be changed.
bool SetFileTimes(const std::string& fileName, TDateTime created, TDateTime modified,
                  TDateTime accessed);

// Size in bytes of a regular file; -1 when it is missing or not a file.
std::int64_t ExtractFileSize(const std::string& fileName);

}  // namespace tessaro
