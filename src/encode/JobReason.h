#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "encode/JobRow.h"

namespace tessaro {

// The phrases a reason is made of. "%1" and "%2" stand for names and numbers;
// a name that is not known takes its placeholder and the blank before it away.
enum class ReasonPhrase : size_t {
    asIs,          // nothing to convert
    nothing,       // skipped by the script
    video,         // %1 the source video when it is the cause
    audio,         // %1 the source audio when it is the cause
    subtitle,      // %1 the source encoding, %2 the players' code page
    scaledWidth,   // %1 the target width, follows the video phrase
    scaledHeight,  // %1 the target height, follows the video phrase
    ownSize,       // follows the video phrase when the frame fits
    join,          // between the video and the audio phrase
};
inline constexpr size_t kReasonPhraseCount = 9;

struct ReasonPhraseText {
    const char* key;  // the language file's key
    const char* english;
};

// In ReasonPhrase order. A sentence is capitalised once it is put together.
inline constexpr std::array<ReasonPhraseText, kReasonPhraseCount> kReasonPhrases = {{
    {"ReasonAsIs", "plays as it is"},
    {"ReasonNothing", "nothing to do"},
    {"ReasonVideo", "video %1 \xE2\x86\x92 XviD"},
    {"ReasonAudio", "audio %1 \xE2\x86\x92 MP3"},
    {"ReasonSubtitle", "subtitle %1 \xE2\x86\x92 %2"},
    {"ReasonWidth", ", scaled to %1 wide"},
    {"ReasonHeight", ", scaled to %1 high"},
    {"ReasonOwnSize", " at its own size"},
    {"ReasonJoin", "; "},
}};

// The phrases in one language, UTF-8; English until told otherwise.
class ReasonTexts final {
public:
    ReasonTexts();
    // Each phrase from `lookup` (key, English phrase), as a language section gives it.
    static ReasonTexts Localised(
        const std::function<std::string(std::string_view key, std::string_view english)>& lookup);

    const std::string& Phrase(ReasonPhrase phrase) const {
        return phrases_[static_cast<size_t>(phrase)];
    }

private:
    std::array<std::string, kReasonPhraseCount> phrases_;
};

// The code page the subtitle converter writes, chosen as it chooses:
// TESSARO_SUBTITLE_CODEPAGE when set, else the locale's ANSI code page.
std::string SubtitleTargetCodePage();

// Why the row's file is converted as it is, in one short sentence: "Plays as it
// is", "Audio AC-3 → MP3", "Video → XviD, scaled to 720 wide; audio AC-3 → MP3".
// A source format is named only when it is what must change.
std::string ExplainJob(const JobRow& row, int serial, const ReasonTexts& texts,
                       const std::string& subtitleCodePage = SubtitleTargetCodePage());

}  // namespace tessaro
