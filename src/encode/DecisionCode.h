#pragma once

#include <cstdint>

namespace tessaro {

// What a job's decision code asks of the script: -1 nothing, 0 to 6 video
// files, 7 to 11 subtitle files (7 plus the text encoding code).
namespace decision {

inline constexpr bool UsableAsIs(int8_t code) {
    return code == 0 || code == 7;
}
inline constexpr bool RunsMencoder(int8_t code) {
    return code >= 1 && code <= 6;
}
inline constexpr bool ConvertsSubtitle(int8_t code) {
    return code >= 8 && code <= 11;
}
inline constexpr bool ProducesFile(int8_t code) {
    return code >= 0 && code <= 11;
}

inline constexpr bool AudioToMp3(int8_t code) {
    return code == 1 || (code >= 4 && code <= 6);
}
inline constexpr bool ReencodesVideo(int8_t code) {
    return code >= 2 && code <= 6;
}
inline constexpr bool Scales(int8_t code) {
    return code == 2 || code == 3 || code == 5 || code == 6;
}
inline constexpr bool KeepsWidth(int8_t code) {
    return code == 2 || code == 5;
}

// Charshift's source flag: 0 for UTF-16 (codes 8, 9), 1 for UTF-8 (codes 10, 11).
inline constexpr int CharshiftFlag(int8_t code) {
    return code >= 10 ? 1 : 0;
}

}  // namespace decision
}  // namespace tessaro
