#pragma once

#include <cstdint>
#include <string>

namespace tessaro {

// Scratch record of one probe; the job row keeps what lasts.
struct video_struct {
    std::string video_format;
    std::string codec_id;
    std::string audio_format;
    int32_t width = 0;
    int32_t height = 0;
    int32_t bitrate = 0;  // kbit/s
};

}  // namespace tessaro
