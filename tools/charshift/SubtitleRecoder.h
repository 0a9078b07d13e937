#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tessaro::tools {

// How the subtitle text arrives: UTF-16 in either byte order (by its mark,
// little endian without one) or UTF-8 with or without a mark.
enum class SubtitleSource { Utf16, Utf8 };

struct RecodeResult {
    bool ok = false;
    std::string text;  // in the target code page, without a byte-order mark
    std::string error;
};

bool IsSupportedCodePage(const std::string& codePage);

// Re-encodes a whole subtitle file. Malformed input fails rather than
// guessing, and so does a character the code page cannot hold: a subtitle
// with lost text must not pass for a converted one.
RecodeResult RecodeSubtitle(std::string_view source, SubtitleSource kind,
                            const std::string& codePage);

}  // namespace tessaro::tools
