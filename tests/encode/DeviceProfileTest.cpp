#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "encode/DeviceProfile.h"

namespace tessaro {
namespace {

constexpr int kSerial1 = 0;
constexpr int kSerial2 = 1;
constexpr int kSerial3 = 2;

video_struct Record(std::string format, std::string codec, std::string audio, int width,
                    int height) {
    video_struct record;
    record.video_format = std::move(format);
    record.codec_id = std::move(codec);
    record.audio_format = std::move(audio);
    record.width = width;
    record.height = height;
    record.bitrate = 1000;
    return record;
}

video_struct Xvid(int width, int height, std::string audio = "MPEG Audio") {
    return Record("MPEG-4 Visual", "XVID", std::move(audio), width, height);
}

struct FitCase {
    int serial;
    int width;
    int height;
    bool fits;
    bool keepWidth;
};

TEST(FitsDevice, FollowsEachSerialsSizeProfile) {
    const std::vector<FitCase> cases = {
        {kSerial1, 720, 576, true, true},   {kSerial1, 721, 576, false, true},
        {kSerial1, 1280, 720, false, true}, {kSerial1, 0, 0, true, true},
        {kSerial2, 852, 598, true, true},   {kSerial2, 853, 480, false, true},
        {kSerial2, 852, 599, false, false}, {kSerial2, 852, 600, false, false},
        {kSerial3, 960, 540, true, true},   {kSerial3, 900, 560, true, true},
        {kSerial3, 960, 576, true, true},   {kSerial3, 800, 600, true, true},
        {kSerial3, 850, 590, false, false}, {kSerial3, 810, 600, false, false},
        {kSerial3, 961, 400, false, true},  {kSerial3, 1280, 720, false, true},
        {kSerial3, 640, 720, false, false},
    };
    for (const FitCase& c : cases) {
        const FitResult result = FitsDevice(Xvid(c.width, c.height), c.serial);
        EXPECT_EQ(result.fits, c.fits)
            << "serial " << c.serial << " " << c.width << "x" << c.height;
        if (!c.fits) {
            EXPECT_EQ(result.keepWidth, c.keepWidth)
                << "serial " << c.serial << " " << c.width << "x" << c.height;
        }
    }
}

TEST(FitsDevice, ScalesByHeightWhenScalingByWidthWouldStillNotFit) {
    // Scaled to the target width these would come out taller than the device's frame.
    const std::vector<FitCase> cases = {
        {kSerial1, 720, 577, false, false},   {kSerial1, 640, 720, false, false},
        {kSerial1, 800, 1000, false, false},  {kSerial2, 900, 700, false, false},
        {kSerial3, 1000, 1000, false, false}, {kSerial3, 961, 600, false, false},
        {kSerial1, 1000, 800, false, true},   {kSerial2, 1198, 840, false, true},
        {kSerial3, 961, 576, false, true},
    };
    for (const FitCase& c : cases) {
        const FitResult result = FitsDevice(Xvid(c.width, c.height), c.serial);
        EXPECT_FALSE(result.fits) << "serial " << c.serial << " " << c.width << "x" << c.height;
        EXPECT_EQ(result.keepWidth, c.keepWidth)
            << "serial " << c.serial << " " << c.width << "x" << c.height;
    }
    EXPECT_EQ(DecideVideo(Xvid(640, 720), FileKind::media, kSerial1), 3);
    EXPECT_EQ(DecideVideo(Xvid(640, 720, "AC-3"), FileKind::media, kSerial1), 6);
}

TEST(FitsDevice, TakesAnIndexOutsideTheSelectorAsTheFirstSerial) {
    EXPECT_FALSE(FitsDevice(Xvid(852, 480), -1).fits);
    EXPECT_FALSE(FitsDevice(Xvid(852, 480), 3).fits);
    EXPECT_TRUE(FitsDevice(Xvid(852, 480), kSerial2).fits);
}

struct AudioCase {
    const char* audio;
    bool serial1;
    bool serial2;
    bool serial3;
};

TEST(IsAudioSupported, KnowsEachSerialsAudioFormats) {
    const std::vector<AudioCase> cases = {
        {"", true, true, true},
        {"MPEG Audio", true, true, true},
        {"PCM", true, true, true},
        {"ADPCM", false, true, false},
        {"Cooker", false, false, true},
        {"AC-3", false, false, true},
        {"AAC", false, false, true},
        {"aac", false, false, false},
        {"MPEG audio", false, false, false},
        {"WMA", false, false, false},
        {"Vorbis", false, false, false},
    };
    for (const AudioCase& c : cases) {
        const video_struct record = Xvid(320, 240, c.audio);
        EXPECT_EQ(IsAudioSupported(record, kSerial1), c.serial1) << c.audio;
        EXPECT_EQ(IsAudioSupported(record, kSerial2), c.serial2) << c.audio;
        EXPECT_EQ(IsAudioSupported(record, kSerial3), c.serial3) << c.audio;
    }
}

TEST(IsKnownVideoFormat, ComparesWithoutCaseAndTakesTodaysMotionJpegName) {
    for (const char* known : {"MPEG-4 Visual", "mpeg-4 visual", "MPEG Video", "M-JPEG", "m-jpeg",
                              "JPEG", "jpeg", "XviD", "xvid"})
        EXPECT_TRUE(IsKnownVideoFormat(known)) << known;
    for (const char* unknown :
         {"", "AVC", "RealVideo 4", "MPEG-4", "MJPEG", "WMV2", "Unable to load MediaInfo.dll"})
        EXPECT_FALSE(IsKnownVideoFormat(unknown)) << unknown;
}

struct VideoCase {
    const char* format;
    const char* codec;
    bool fits;
    bool serial1;
    bool serial2;
    bool serial3;
};

TEST(IsVideoSupported, KnowsCodecsPerSerial) {
    const std::vector<VideoCase> cases = {
        {"MPEG-4 Visual", "XVID", true, true, true, true},
        {"MPEG-4 Visual", "DX50", true, true, true, true},
        {"MPEG-4 Visual", "divx", true, true, true, true},
        {"MPEG-4 Visual", "CV40", true, true, true, true},
        {"MPEG-4 Visual", "RMP4", true, true, true, true},
        {"MPEG-4 Visual", "FMP4", true, false, false, false},
        {"MPEG-4 Visual", "20", true, false, false, false},
        {"MPEG-4 Visual", "DIV3", true, false, false, true},
        {"MPEG-4 Visual", "DIV3", false, false, false, true},
        {"mpeg-4 visual", "DIV3", true, true, true, true},
        {"RealVideo 4", "RV40", true, false, false, true},
        {"RealVideo 4", "RV40", false, false, false, false},
        {"RealVideo 2", "RV20", true, false, false, true},
        {"MPEG Video", "", true, true, true, true},
        {"M-JPEG", "MJPG", true, true, true, true},
        {"JPEG", "MJPG", true, true, true, true},
        {"AVC", "avc1", true, false, false, false},
        {"", "", true, false, false, false},
    };
    for (const VideoCase& c : cases) {
        const video_struct record = Record(c.format, c.codec, "", 320, 240);
        const std::string label =
            std::string(c.format) + "/" + c.codec + (c.fits ? " fits" : " too large");
        EXPECT_EQ(IsVideoSupported(record, c.fits, kSerial1), c.serial1) << label;
        EXPECT_EQ(IsVideoSupported(record, c.fits, kSerial2), c.serial2) << label;
        EXPECT_EQ(IsVideoSupported(record, c.fits, kSerial3), c.serial3) << label;
    }
}

struct DecisionCase {
    const char* label;
    video_struct record;
    FileKind kind;
    int serial;
    int code;
};

TEST(DecideVideo, CombinesVideoAudioAndSize) {
    const std::vector<DecisionCase> cases = {
        {"playable", Xvid(720, 576), FileKind::media, kSerial1, 0},
        {"audio only", Xvid(640, 480, "AC-3"), FileKind::media, kSerial1, 1},
        {"too wide", Xvid(1280, 720), FileKind::media, kSerial1, 2},
        {"too tall on serial 2", Xvid(852, 599), FileKind::media, kSerial2, 3},
        {"too wide on serial 2", Xvid(853, 480), FileKind::media, kSerial2, 2},
        {"video unplayable", Record("AVC", "avc1", "MPEG Audio", 640, 480), FileKind::media,
         kSerial1, 4},
        {"video unplayable, bad audio", Record("AVC", "avc1", "AAC", 640, 480), FileKind::media,
         kSerial1, 4},
        {"road example", Xvid(1280, 720, "AC-3"), FileKind::media, kSerial1, 5},
        {"too tall, bad audio", Xvid(852, 700, "AAC"), FileKind::media, kSerial2, 6},
        {"unplayable and wide", Record("AVC", "avc1", "", 1920, 1080), FileKind::media, kSerial2,
         5},
        {"unplayable and tall", Record("AVC", "avc1", "", 640, 720), FileKind::media, kSerial2, 6},
        {"unreadable file", Record("", "", "", 0, 0), FileKind::media, kSerial1, 4},
        {"silent", Xvid(320, 240, ""), FileKind::media, kSerial2, 0},
    };
    for (const DecisionCase& c : cases)
        EXPECT_EQ(DecideVideo(c.record, c.kind, c.serial), c.code) << c.label;
}

TEST(DecideVideo, HandlesTheDocumentedEdgeCases) {
    const video_struct realVideo = Record("RealVideo 4", "RV40", "Cooker", 640, 480);
    const video_struct largeRealVideo = Record("RealVideo 4", "RV40", "Cooker", 1280, 720);
    const video_struct divx3 = Record("MPEG-4 Visual", "DIV3", "MPEG Audio", 640, 480);
    const video_struct fmp4 = Record("MPEG-4 Visual", "FMP4", "MPEG Audio", 640, 480);
    const video_struct dvd = Record("MPEG Video", "", "MPEG Audio", 720, 480);

    EXPECT_EQ(DecideVideo(realVideo, FileKind::media, kSerial3), 0);
    EXPECT_EQ(DecideVideo(largeRealVideo, FileKind::media, kSerial3), 5);
    EXPECT_EQ(DecideVideo(realVideo, FileKind::media, kSerial1), 4);
    EXPECT_EQ(DecideVideo(divx3, FileKind::media, kSerial3), 0);
    EXPECT_EQ(DecideVideo(divx3, FileKind::media, kSerial1), 4);
    EXPECT_EQ(DecideVideo(divx3, FileKind::media, kSerial2), 4);
    for (int serial : {kSerial1, kSerial2, kSerial3})
        EXPECT_EQ(DecideVideo(fmp4, FileKind::media, serial), 4);
    EXPECT_EQ(DecideVideo(dvd, FileKind::vob, kSerial1), 4);
    EXPECT_EQ(DecideVideo(dvd, FileKind::vob, kSerial2), 4);
    EXPECT_EQ(DecideVideo(dvd, FileKind::media, kSerial3), 0);
    EXPECT_EQ(DecideVideo(dvd, FileKind::media, kSerial1), 0);
    EXPECT_EQ(DecideVideo(Record("JPEG", "MJPG", "PCM", 320, 240), FileKind::media, kSerial1), 0);
    EXPECT_EQ(DecideVideo(Xvid(850, 590), FileKind::media, kSerial3), 3);
    EXPECT_EQ(DecideVideo(Xvid(850, 590, "WMA"), FileKind::media, kSerial3), 6);
}

TEST(ScaleTargetFor, FollowsSerialAndKeepWidth) {
    EXPECT_EQ(ScaleTargetFor(kSerial1, true), (ScaleTarget{720, -2}));
    EXPECT_EQ(ScaleTargetFor(kSerial1, false), (ScaleTarget{-2, 576}));
    EXPECT_EQ(ScaleTargetFor(kSerial2, true), (ScaleTarget{852, -2}));
    EXPECT_EQ(ScaleTargetFor(kSerial2, false), (ScaleTarget{-2, 540}));
    EXPECT_EQ(ScaleTargetFor(kSerial3, true), (ScaleTarget{960, -2}));
    EXPECT_EQ(ScaleTargetFor(kSerial3, false), (ScaleTarget{-2, 576}));
}

TEST(ScaleTargetFor, GivesEachFileOnTheThirdSerialItsOwnRule) {
    const FitResult wide = FitsDevice(Xvid(1280, 400), kSerial3);
    const FitResult tall = FitsDevice(Xvid(700, 610), kSerial3);
    ASSERT_FALSE(wide.fits);
    ASSERT_FALSE(tall.fits);
    EXPECT_EQ(ScaleTargetFor(kSerial3, wide.keepWidth), (ScaleTarget{960, -2}));
    EXPECT_EQ(ScaleTargetFor(kSerial3, tall.keepWidth), (ScaleTarget{-2, 576}));
    EXPECT_EQ(DecideVideo(Xvid(1280, 400), FileKind::media, kSerial3), 2);
    EXPECT_EQ(DecideVideo(Xvid(700, 610), FileKind::media, kSerial3), 3);
}

TEST(ChooseBitrate, TakesTheSelectedEntryOrTheRowsOwnLimited) {
    struct Case {
        int index;
        const char* row;
        int expected;
    };
    const std::vector<Case> cases = {
        {0, "4500", 3000}, {0, "0", 3000},    {0, "1500", 1500}, {0, "-7", 3000},
        {0, "3000", 3000}, {0, "3001", 3000}, {0, "1", 1},       {0, "abc", 512},
        {0, "", 512},      {0, "12x", 512},   {-1, "800", 800},  {13, "800", 800},
        {1, "4500", 512},  {9, "100", 1500},  {12, "", 3000},    {3, "abc", 640},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ChooseBitrate(c.index, c.row), c.expected)
            << "index " << c.index << " row \"" << c.row << "\"";
}

TEST(ChooseBitrate, SelectorTableListsTheWindowsEntries) {
    ASSERT_EQ(kBitrateEntries.size(), 13u);
    EXPECT_EQ(kBitrateEntries.front(), "Default");
    for (size_t index = 1; index < kBitrateEntries.size(); ++index)
        EXPECT_EQ(std::to_string(ChooseBitrate(static_cast<int>(index), "1")),
                  kBitrateEntries[index]);
}

}  // namespace
}  // namespace tessaro
