#pragma once

#include <cstdlib>
#include <string>

namespace tessaro::test {

// Makes an MPEG-4 (XviD tag) + AC-3 Matroska clip of `seconds` at `rate`
// frames a second and `size` ("640x360") with ffmpeg, which mencoder needs a
// while to convert; false when ffmpeg failed.
inline bool MakeClip(const std::string& path, int seconds, int rate = 10,
                     const std::string& size = "640x360") {
    const std::string duration = std::to_string(seconds);
    const std::string make =
        "ffmpeg -nostdin -hide_banner -loglevel error -y -f lavfi -i "
        "testsrc=size=" +
        size + ":rate=" + std::to_string(rate) + ":duration=" + duration +
        " -f lavfi -i sine=frequency=440:duration=" + duration +
        " -c:v mpeg4 -vtag XVID -q:v 10 -c:a ac3 -b:a 96k -shortest -f matroska '" + path + "'";
    return std::system(make.c_str()) == 0;
}

}  // namespace tessaro::test
