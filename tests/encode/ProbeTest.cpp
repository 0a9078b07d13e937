#include "encode/Probe.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <string_view>

#include "CorpusFiles.h"
#include "MediaInfoCli.h"
#include "encode/FileKind.h"
#include "encode/JobRow.h"
#include "platform/Paths.h"

namespace tessaro {
namespace {

const auto* const kLocale = ::testing::AddGlobalTestEnvironment(new test::Utf8LocaleEnvironment);

// What the media library reports for each corpus file, and the decision code
// each serial index gives it.
struct MediaCase {
    std::string_view file;
    std::string_view videoFormat;
    std::string_view codecId;
    int32_t width;
    int32_t height;
    std::string_view audioFormat;
    std::array<int8_t, 3> codeOnSerial;
};

constexpr MediaCase kMediaCorpus[] = {
    {"xvid.avi", "MPEG-4 Visual", "XVID", 320, 240, "MPEG Audio", {0, 0, 0}},
    {"divx.avi", "MPEG-4 Visual", "DIVX", 320, 240, "MPEG Audio", {0, 0, 0}},
    {"dx50.avi", "MPEG-4 Visual", "DX50", 320, 240, "MPEG Audio", {0, 0, 0}},
    // DivX 3 plays on the third serial only.
    {"div3.avi", "MPEG-4 Visual", "DIV3", 320, 240, "MPEG Audio", {4, 4, 0}},
    {"fmp4.avi", "MPEG-4 Visual", "FMP4", 320, 240, "MPEG Audio", {4, 4, 4}},
    // Motion JPEG is "JPEG" to the current library.
    {"mjpeg.avi", "JPEG", "MJPG", 320, 240, "PCM", {0, 0, 0}},
    {"adpcm.avi", "MPEG-4 Visual", "XVID", 320, 240, "ADPCM", {1, 0, 1}},
    // Matroska names the codec by its own id, so the video is re-encoded too.
    {"b.mkv", "MPEG-4 Visual", "V_MPEG4/ISO/ASP", 1280, 720, "AC-3", {5, 5, 5}},
    {"mpeg4.mp4", "MPEG-4 Visual", "mp4v-20", 320, 240, "AAC", {4, 4, 4}},
    {"mpeg1.mpg", "MPEG Video", "", 320, 240, "MPEG Audio", {0, 0, 0}},
    {"transport.ts", "MPEG Video", "2", 320, 240, "MPEG Audio", {0, 0, 0}},
    // A DVD program stream is re-encoded unless the third serial takes it as media.
    {"dvd.vob", "MPEG Video", "", 720, 576, "AC-3", {4, 4, 0}},
    {"sorenson.flv", "Sorenson Spark", "2", 320, 240, "MPEG Audio", {4, 4, 4}},
    {"windows.wmv", "WMV2", "WMV2", 320, 240, "WMA", {4, 4, 4}},
    {"mobile.3gp", "H.263", "s263", 176, 144, "AAC", {4, 4, 4}},
    {"real.rm", "RealVideo 2", "RV20", 320, 240, "AC-3", {4, 4, 0}},
    {"hd720.avi", "MPEG-4 Visual", "XVID", 1280, 720, "MPEG Audio", {2, 2, 2}},
    {"full1080.avi", "MPEG-4 Visual", "XVID", 1920, 1080, "MPEG Audio", {2, 2, 2}},
    // Taller than every device frame in proportion: scaled by height everywhere,
    // as scaling to a width would only make it taller.
    {"tall.avi", "MPEG-4 Visual", "XVID", 640, 720, "MPEG Audio", {3, 3, 3}},
    {"silent.avi", "MPEG-4 Visual", "XVID", 320, 240, "", {0, 0, 0}},
    {"café ü.avi", "MPEG-4 Visual", "XVID", 320, 240, "MPEG Audio", {0, 0, 0}},
    // Nothing the library can read: empty values, no size, the default bit rate.
    {"not-media.avi", "", "", 0, 0, "", {4, 4, 4}},
};

int32_t BitrateAsTheCommandReportsIt(const std::string& path) {
    const int32_t bitsPerSecond =
        ParseRowInteger(test::MediaInfoCommand("Video;%BitRate%", path), 512000);
    return bitsPerSecond / 1000;
}

TEST(Probe, EveryCorpusMediaFileGivesItsRowOnEverySerial) {
    for (const auto& c : kMediaCorpus) {
        const std::string path = test::CorpusFile(c.file);
        const std::string extension = platform::ExtractFileExt(path);
        const int32_t bitrate = BitrateAsTheCommandReportsIt(path);
        for (int serial = 0; serial < 3; ++serial) {
            SCOPED_TRACE(std::string(c.file) + " on serial index " + std::to_string(serial));
            video_struct record;
            const int8_t code = ProbeFile(ClassifyFile(extension, serial), record, path, serial);
            EXPECT_EQ(code, c.codeOnSerial[serial]);
            EXPECT_EQ(record.video_format, c.videoFormat);
            EXPECT_EQ(record.codec_id, c.codecId);
            EXPECT_EQ(record.width, c.width);
            EXPECT_EQ(record.height, c.height);
            EXPECT_EQ(record.audio_format, c.audioFormat);
            EXPECT_EQ(record.bitrate, bitrate);
            const JobRow row = MakeJobRow(path, record, code);
            EXPECT_EQ(row.subItems[siSupport], code == 0 ? "Yes" : "No");
            EXPECT_EQ(DecisionCodeOf(row), code);
        }
    }
}

TEST(Probe, BitRateIsReadInKilobitsTruncated) {
    video_struct record;
    ProbeFile(FileKind::media, record, test::CorpusFile("xvid.avi"), 0);
    const std::string reported =
        test::MediaInfoCommand("Video;%BitRate%", test::CorpusFile("xvid.avi"));
    ASSERT_FALSE(reported.empty());
    EXPECT_EQ(record.bitrate, std::stoi(reported) / 1000);
    EXPECT_NE(record.bitrate * 1000, std::stoi(reported))
        << "pick a file whose rate is not a round number";
}

TEST(Probe, UnreportedBitRateBecomes512) {
    const std::string path = test::CorpusFile("transport.ts");
    ASSERT_EQ(test::MediaInfoCommand("Video;%BitRate%", path), "");
    video_struct record;
    ProbeFile(FileKind::media, record, path, 0);
    EXPECT_EQ(record.bitrate, 512);
}

TEST(Probe, RoadExampleNeedsScalingByWidthAndMp3Audio) {
    video_struct record;
    const int8_t code = ProbeFile(FileKind::media, record, test::CorpusFile("b.mkv"), 0);
    EXPECT_EQ(code, 5);
    EXPECT_EQ(MakeJobRow("b.mkv", record, code).subItems[siSupport], "No");
}

TEST(Probe, RecordIsClearedBeforeEachProbe) {
    video_struct record;
    ProbeFile(FileKind::media, record, test::CorpusFile("xvid.avi"), 0);
    ProbeFile(FileKind::media, record, test::CorpusFile("silent.avi"), 0);
    EXPECT_EQ(record.audio_format, "");
    ProbeFile(FileKind::subtitle, record, test::CorpusFile("subrip-utf8.srt"), 1);
    EXPECT_EQ(record.width, 0);
    EXPECT_EQ(record.height, 0);
    EXPECT_EQ(record.bitrate, 0);
    EXPECT_EQ(record.audio_format, "");
}

TEST(Probe, PathHoldingNulByteFailsAsUnknownInsteadOfOpeningAnotherFile) {
    video_struct record;
    const std::string path = test::CorpusFile("xvid.avi") + std::string(1, '\0') + "ignored.avi";
    EXPECT_EQ(ProbeFile(FileKind::media, record, path, 0), -1);
    EXPECT_EQ(record.video_format, kUnknownFormat);
    EXPECT_EQ(record.codec_id, "");
    EXPECT_EQ(record.width, 0);
    EXPECT_EQ(DecisionCodeOf(MakeJobRow(path, record, -1)), -1);
}

TEST(Probe, NonAsciiPathIsReadLikeAnyOther) {
    video_struct record;
    const int8_t code = ProbeFile(FileKind::media, record, test::CorpusFile("café ü.avi"), 0);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(record.codec_id, "XVID");
    EXPECT_EQ(record.width, 320);
}

struct SubtitleCase {
    std::string_view file;
    std::string_view format;
    std::string_view codec;
    int8_t code;
};

// The library knows SubRip but neither SAMI nor UTF-16 SubRip; a SAMI file is
// only recognised without a byte-order mark.
constexpr SubtitleCase kSubtitleCorpus[] = {
    {"subrip-ansi.srt", "SubRip", "ANSI", 7},       {"subrip-utf16be.srt", "Text", "UNI16BE", 8},
    {"subrip-utf16le.srt", "Text", "UNI16LE", 9},   {"subrip-utf8bom.srt", "SubRip", "UTF8", 10},
    {"subrip-utf8.srt", "SubRip", "UTF8NOBOM", 11}, {"sami-ansi.smi", "Sami", "ANSI", 7},
    {"sami-utf16be.smi", "Text", "UNI16BE", 8},     {"sami-utf16le.smi", "Text", "UNI16LE", 9},
    {"sami-utf8bom.smi", "Text", "UTF8", 10},       {"sami-utf8.smi", "Sami", "UTF8NOBOM", 11},
    {"plain-ansi.txt", "Text", "(NULL)", -1},       {"plain-utf16be.txt", "Text", "UNI16BE", 8},
    {"plain-utf16le.txt", "Text", "UNI16LE", 9},    {"plain-utf8bom.txt", "Text", "UTF8", 10},
    {"plain-utf8.txt", "Text", "UTF8NOBOM", 11},
};

TEST(Probe, EveryCorpusSubtitleGivesFormatEncodingAndCode) {
    for (const auto& c : kSubtitleCorpus) {
        SCOPED_TRACE(std::string(c.file));
        const std::string path = test::CorpusFile(c.file);
        ASSERT_EQ(ClassifyFile(platform::ExtractFileExt(path), 1), FileKind::subtitle);
        video_struct record;
        const int8_t code = ProbeFile(FileKind::subtitle, record, path, 1);
        EXPECT_EQ(code, c.code);
        EXPECT_EQ(record.video_format, c.format);
        EXPECT_EQ(record.codec_id, c.codec);
        EXPECT_EQ(record.audio_format, "");
        const JobRow row = MakeJobRow(path, record, code);
        EXPECT_EQ(row.subItems[siSupport], code == 7 ? "Yes" : "No");
        EXPECT_EQ(row.subItems[siDecision], std::to_string(code));
        EXPECT_EQ(DecisionCodeOf(row), code);
    }
}

TEST(Probe, UnreadableSubtitleThrowsToTheCaller) {
    video_struct record;
    EXPECT_THROW(ProbeFile(FileKind::subtitle, record, test::CorpusFile("no-such-file.srt"), 1),
                 std::system_error);
}

}  // namespace
}  // namespace tessaro
