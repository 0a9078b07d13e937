#include "encode/JobReason.h"

#include <cstdlib>

#include "encode/DecisionCode.h"
#include "encode/DeviceProfile.h"
#include "encode/FileKind.h"
#include "encode/MediaInfo.h"
#include "platform/AnsiCodePage.h"
#include "platform/Paths.h"

namespace tessaro {
namespace {

constexpr const char* kCodePageVariable = "TESSARO_SUBTITLE_CODEPAGE";

// Puts `value` in place of `placeholder`; an empty value takes the blank
// before it (or, at the start, the one after it) away as well.
void FillIn(std::string& text, std::string_view placeholder, std::string_view value) {
    const size_t at = text.find(placeholder);
    if (at == std::string::npos) return;
    size_t start = at;
    size_t length = placeholder.size();
    if (value.empty()) {
        if (start > 0 && text[start - 1] == ' ') {
            --start;
            ++length;
        } else if (start + length < text.size() && text[start + length] == ' ') {
            ++length;
        }
    }
    text.replace(start, length, value);
}

std::string Fill(const std::string& phrase, std::string_view first, std::string_view second = {}) {
    std::string text = phrase;
    FillIn(text, "%1", first);
    FillIn(text, "%2", second);
    return text;
}

// The names users know the formats by; what the library cannot tell stays unnamed.
std::string VideoName(const video_struct& record) {
    const std::string& format = record.video_format;
    if (format == kUnableToLoadMediaInfo) return {};
    if (format == "AVC") return "H.264";
    if (format == "HEVC") return "H.265";
    // A FourCC tells the MPEG-4 codecs apart (DIV3, FMP4); a container's codec
    // path ("V_MPEG4/ISO/ASP") tells a user nothing more than the format.
    constexpr size_t kFourCcLength = 4;
    if (format == "MPEG-4 Visual" && !record.codec_id.empty() &&
        record.codec_id.size() <= kFourCcLength)
        return format + " (" + record.codec_id + ")";
    return format;
}

std::string AudioName(const video_struct& record) {
    return record.audio_format == kUnableToLoadMediaInfo ? std::string() : record.audio_format;
}

const char* SubtitleEncodingName(int8_t code) {
    switch (code) {
        case 8:
            return "UTF-16 BE";
        case 9:
            return "UTF-16 LE";
        default:
            return "UTF-8";
    }
}

video_struct RecordOf(const JobRow& row) {
    video_struct record;
    record.video_format = row.subItems[siVideoFormat];
    record.codec_id = row.subItems[siCodec];
    record.audio_format = row.subItems[siAudioFormat];
    record.width = ParseRowInteger(row.subItems[siWidth], 0);
    record.height = ParseRowInteger(row.subItems[siHeight], 0);
    return record;
}

std::string VideoPhrase(const video_struct& record, bool videoOk, int8_t code, int serial,
                        const ReasonTexts& texts) {
    std::string phrase =
        Fill(texts.Phrase(ReasonPhrase::video), videoOk ? std::string() : VideoName(record));
    if (!decision::Scales(code)) return phrase + texts.Phrase(ReasonPhrase::ownSize);
    const ScaleTarget target = ScaleTargetFor(serial, decision::KeepsWidth(code));
    return decision::KeepsWidth(code) ? phrase + Fill(texts.Phrase(ReasonPhrase::scaledWidth),
                                                      std::to_string(target.width))
                                      : phrase + Fill(texts.Phrase(ReasonPhrase::scaledHeight),
                                                      std::to_string(target.height));
}

// Codes 1 to 6: what mencoder does to the picture and to the sound.
std::string ConversionSentence(const JobRow& row, int8_t code, int serial,
                               const ReasonTexts& texts) {
    const video_struct record = RecordOf(row);
    const FileKind kind = ClassifyFile(platform::ExtractFileExt(row.caption), serial);
    const bool videoOk = IsVideoPlayable(record, kind, FitsDevice(record, serial).fits, serial);
    const bool audioOk = IsAudioSupported(record, serial);
    const std::string audio =
        Fill(texts.Phrase(ReasonPhrase::audio), audioOk ? std::string() : AudioName(record));
    if (!decision::ReencodesVideo(code)) return audio;
    const std::string video = VideoPhrase(record, videoOk, code, serial, texts);
    // Without a sound track there is no sound to convert.
    if (!decision::AudioToMp3(code) || record.audio_format.empty()) return video;
    return video + texts.Phrase(ReasonPhrase::join) + audio;
}

std::string Sentence(const JobRow& row, int serial, const ReasonTexts& texts,
                     const std::string& subtitleCodePage) {
    const int8_t code = DecisionCodeOf(row);
    if (decision::UsableAsIs(code)) return texts.Phrase(ReasonPhrase::asIs);
    if (decision::RunsMencoder(code)) return ConversionSentence(row, code, serial, texts);
    if (decision::ConvertsSubtitle(code))
        return Fill(texts.Phrase(ReasonPhrase::subtitle), SubtitleEncodingName(code),
                    subtitleCodePage);
    return texts.Phrase(ReasonPhrase::nothing);
}

}  // namespace

ReasonTexts::ReasonTexts() {
    for (size_t index = 0; index < kReasonPhraseCount; ++index)
        phrases_[index] = kReasonPhrases[index].english;
}

ReasonTexts ReasonTexts::Localised(
    const std::function<std::string(std::string_view key, std::string_view english)>& lookup) {
    ReasonTexts texts;
    for (size_t index = 0; index < kReasonPhraseCount; ++index)
        texts.phrases_[index] = lookup(kReasonPhrases[index].key, kReasonPhrases[index].english);
    return texts;
}

std::string SubtitleTargetCodePage() {
    const char* chosen = std::getenv(kCodePageVariable);
    return chosen && *chosen ? chosen : platform::SystemAnsiCodePage();
}

std::string ExplainJob(const JobRow& row, int serial, const ReasonTexts& texts,
                       const std::string& subtitleCodePage) {
    std::string sentence = Sentence(row, NormalizeSerial(serial), texts, subtitleCodePage);
    if (!sentence.empty() && sentence.front() >= 'a' && sentence.front() <= 'z')
        sentence.front() = static_cast<char>(sentence.front() - 'a' + 'A');
    return sentence;
}

}  // namespace tessaro
