#include "encode/JobReason.h"

#include <gtest/gtest.h>

#include <string>

#include "encode/DeviceProfile.h"
#include "encode/FileKind.h"
#include "platform/Paths.h"
#include "platform/ScopedEnv.h"
#include "settings/LanguageFile.h"

namespace tessaro {
namespace {

struct ReasonCase {
    int serial;
    const char* file;
    const char* format;
    const char* codec;
    int width;
    int height;
    const char* audio;
    int code;  // what the decision gives the row; checked as well
    const char* reason;
};

JobRow VideoRow(const ReasonCase& c) {
    const video_struct record{.video_format = c.format,
                              .codec_id = c.codec,
                              .audio_format = c.audio,
                              .width = c.width,
                              .height = c.height,
                              .bitrate = 900};
    const FileKind kind = ClassifyFile(platform::ExtractFileExt(c.file), c.serial);
    return MakeJobRow(c.file, record, DecideVideo(record, kind, c.serial));
}

// Every video code on every serial, with the sizes each serial scales to.
TEST(ExplainJob, NamesWhatEachVideoCodeConvertsOnEverySerial) {
    const ReasonCase cases[] = {
        {0, "/v/a.avi", "MPEG-4 Visual", "XVID", 720, 576, "MPEG Audio", 0, "Plays as it is"},
        {0, "/v/a.avi", "MPEG-4 Visual", "XVID", 640, 480, "AC-3", 1, "Audio AC-3 → MP3"},
        {0, "/v/a.avi", "MPEG-4 Visual", "XVID", 1280, 720, "", 2,
         "Video → XviD, scaled to 720 wide"},
        {0, "/v/a.avi", "MPEG-4 Visual", "XVID", 720, 1280, "PCM", 3,
         "Video → XviD, scaled to 576 high"},
        {0, "/v/a.mp4", "AVC", "avc1", 640, 480, "MPEG Audio", 4,
         "Video H.264 → XviD at its own size; audio → MP3"},
        {0, "/v/b.mkv", "MPEG-4 Visual", "XVID", 1280, 720, "AC-3", 5,
         "Video → XviD, scaled to 720 wide; audio AC-3 → MP3"},
        {0, "/v/a.mp4", "AVC", "avc1", 480, 800, "AAC", 6,
         "Video H.264 → XviD, scaled to 576 high; audio AAC → MP3"},
        {0, "/v/d.vob", "MPEG Video", "", 720, 576, "AC-3", 4,
         "Video MPEG Video → XviD at its own size; audio AC-3 → MP3"},
        {1, "/v/a.avi", "MPEG-4 Visual", "XVID", 640, 480, "ADPCM", 0, "Plays as it is"},
        {1, "/v/a.avi", "MPEG-4 Visual", "DX50", 852, 598, "AC-3", 1, "Audio AC-3 → MP3"},
        {1, "/v/a.avi", "MPEG-4 Visual", "XVID", 853, 480, "MPEG Audio", 2,
         "Video → XviD, scaled to 852 wide"},
        {1, "/v/a.avi", "MPEG-4 Visual", "XVID", 852, 599, "MPEG Audio", 3,
         "Video → XviD, scaled to 540 high"},
        {1, "/v/a.avi", "MPEG-4 Visual", "FMP4", 640, 480, "AC-3", 4,
         "Video MPEG-4 Visual (FMP4) → XviD at its own size; audio AC-3 → MP3"},
        {1, "/v/a.avi", "MPEG-4 Visual", "XVID", 1280, 720, "Vorbis", 5,
         "Video → XviD, scaled to 852 wide; audio Vorbis → MP3"},
        {1, "/v/a.avi", "MPEG-4 Visual", "DIV3", 852, 600, "MPEG Audio", 6,
         "Video MPEG-4 Visual (DIV3) → XviD, scaled to 540 high; audio → MP3"},
        {2, "/v/a.avi", "MPEG-4 Visual", "XVID", 900, 560, "AC-3", 0, "Plays as it is"},
        {2, "/v/d.vob", "MPEG Video", "", 720, 576, "DTS", 1, "Audio DTS → MP3"},
        {2, "/v/a.avi", "MPEG-4 Visual", "XVID", 1280, 720, "AAC", 2,
         "Video → XviD, scaled to 960 wide"},
        {2, "/v/a.avi", "MPEG-4 Visual", "XVID", 850, 590, "Cooker", 3,
         "Video → XviD, scaled to 576 high"},
        {2, "/v/a.wmv", "VC-1", "WMV3", 640, 480, "WMA", 4,
         "Video VC-1 → XviD at its own size; audio WMA → MP3"},
        {2, "/v/a.rmvb", "RealVideo 4", "RV40", 1280, 720, "Cooker", 5,
         "Video RealVideo 4 → XviD, scaled to 960 wide; audio → MP3"},
        {2, "/v/a.mp4", "HEVC", "hvc1", 700, 1000, "", 6, "Video H.265 → XviD, scaled to 576 high"},
        {0, "/v/b.mkv", "MPEG-4 Visual", "V_MPEG4/ISO/ASP", 1280, 720, "AC-3", 5,
         "Video MPEG-4 Visual → XviD, scaled to 720 wide; audio AC-3 → MP3"},
        {2, "/v/a.avi", "Unable to load MediaInfo.dll", "Unable to load MediaInfo.dll", 0, 0,
         "Unable to load MediaInfo.dll", 4, "Video → XviD at its own size; audio → MP3"},
    };
    const ReasonTexts english;
    for (const ReasonCase& c : cases) {
        const JobRow row = VideoRow(c);
        SCOPED_TRACE(std::to_string(c.serial) + " " + c.format + " " + c.codec + " " +
                     std::to_string(c.width) + "x" + std::to_string(c.height) + " " + c.audio);
        EXPECT_EQ(DecisionCodeOf(row), c.code);
        EXPECT_EQ(ExplainJob(row, c.serial, english, "CP932"), c.reason);
    }
}

// Codes the probe gives without the device: subtitles and nothing to do.
TEST(ExplainJob, SubtitleAndNothingCodesReadTheSameOnEverySerial) {
    const std::pair<const char*, const char*> cases[] = {
        {"-1", "Nothing to do"},
        {"7", "Plays as it is"},
        {"8", "Subtitle UTF-16 BE → CP932"},
        {"9", "Subtitle UTF-16 LE → CP932"},
        {"10", "Subtitle UTF-8 → CP932"},
        {"11", "Subtitle UTF-8 → CP932"},
        {"12", "Nothing to do"},
        {"x", "Nothing to do"},
    };
    for (int serial = -1; serial <= 3; ++serial) {
        for (const auto& [code, reason] : cases) {
            JobRow row;
            row.caption = "/v/s.srt";
            row.subItems[siVideoFormat] = "SubRip";
            row.subItems[siDecision] = code;
            EXPECT_EQ(ExplainJob(row, serial, ReasonTexts(), "CP932"), reason)
                << serial << " " << code;
        }
    }
}

// The players' code page follows the converter's own choice.
TEST(ExplainJob, SubtitleTargetIsTheConvertersCodePage) {
    JobRow row;
    row.subItems[siDecision] = "9";
    const testing::ScopedEnv chosen("TESSARO_SUBTITLE_CODEPAGE", nullptr);
    const testing::ScopedEnv all("LC_ALL", "ja_JP.UTF-8");
    EXPECT_EQ(ExplainJob(row, 1, ReasonTexts()), "Subtitle UTF-16 LE → CP932");
    const testing::ScopedEnv named("TESSARO_SUBTITLE_CODEPAGE", "CP1251");
    EXPECT_EQ(ExplainJob(row, 1, ReasonTexts()), "Subtitle UTF-16 LE → CP1251");
}

// The shipped language file's Japanese section, and the English one falling
// back to the built-in phrases it does not carry.
TEST(ExplainJob, PhrasesComeFromTheLanguageFile) {
    const auto texts = [](int index) {
        const LanguageChoice choice = LoadLanguage(TESSARO_BIN_DIR "/LangJ.ini", index);
        EXPECT_TRUE(choice.section.has_value());
        return ReasonTexts::Localised([&](std::string_view key, std::string_view english) {
            return choice.section->Caption(key, english);
        });
    };
    const ReasonCase scaled = {0, "/v/b.mkv", "MPEG-4 Visual", "XVID", 1280, 720, "AC-3", 5, ""};
    EXPECT_EQ(ExplainJob(VideoRow(scaled), 0, texts(1)),
              "映像 → XviD（幅 720 に縮小）、音声 AC-3 → MP3");
    EXPECT_EQ(ExplainJob(VideoRow(scaled), 0, texts(0)),
              "Video → XviD, scaled to 720 wide; audio AC-3 → MP3");
    JobRow subtitle;
    subtitle.subItems[siDecision] = "11";
    EXPECT_EQ(ExplainJob(subtitle, 1, texts(1), "CP932"), "字幕 UTF-8 → CP932");
    subtitle.subItems[siDecision] = "7";
    EXPECT_EQ(ExplainJob(subtitle, 1, texts(1)), "そのまま再生できます");
}

}  // namespace
}  // namespace tessaro
