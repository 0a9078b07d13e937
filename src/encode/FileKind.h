#pragma once

#include <string_view>

namespace tessaro {

// Kind of a job's source file, decided by its extension alone.
enum class FileKind : int { media = 0, vob = 1, subtitle = 2, none = -1 };

// Extension lists as the file dialog shows them; matched as plain substrings.
inline constexpr std::string_view kMediaPatterns =
    "*.3gp;*.asx;*.asf;*.avi;*.avs;*.divx;*.dat;*.flv;*.mkv;*.mp4;*.mpg;*.mpeg;*.mts;*.m2ts;"
    "*.mov;*.ram;*.rm;*.rmvb;*.ts;*.wmv;*.vob";
inline constexpr std::string_view kSubtitlePatterns = "*.srt;*.sri;*.smi;*.txt";
inline constexpr std::string_view kVobPatterns = "*.vob";

// Whether a file with this extension (with its dot, any case) may enter the job
// list under the given device serial index. An empty extension is refused.
bool IsAcceptedFile(std::string_view extension, int serial);

// Kind of an accepted file. A ".vob" counts as a DVD program stream except on
// the third serial (index 2), which takes it as plain media.
FileKind ClassifyFile(std::string_view extension, int serial);

}  // namespace tessaro
