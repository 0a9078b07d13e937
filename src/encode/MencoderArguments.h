#pragma once

#include <cstdint>
#include <string>

#include "encode/DeviceProfile.h"

namespace tessaro {

// mencoder's options between the source and "-o" for decision codes 1 to 6.
std::string MencoderArguments(int8_t code, ScaleTarget scale, int bitrate);

}  // namespace tessaro
