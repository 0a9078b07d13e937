#pragma once

#include <cstdint>
#include <string>

namespace tessaro::tools {

// Whether an AVI file is whole: mencoder writes its RIFF headers' sizes last,
// from what it meant to write, so a file cut short (a full disk, which
// mencoder does not report) has chunks that run past its end.
struct AviCheck {
    bool complete = false;
    std::string problem;  // why not, for the user
};

// Reads only the chunk headers: the first RIFF 'AVI ' chunk and any RIFF
// 'AVIX' chunks after it must cover the file exactly.
AviCheck CheckAviFile(int fd, uint64_t fileSize);

}  // namespace tessaro::tools
