#include "encode/DeviceProfile.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace tessaro {
namespace {

video_struct Record(std::string format, std::string codec, std::string audio, int width, int height) {
    return {.video_format = std::move(format), .codec_id = std::move(codec), .audio_format = std::move(audio),
            .width = width, .height = height, .bitrate = 1000};
}

video_struct Xvid(int width, int height, std::string audio = "MPEG Audio") {
    return Record("MPEG-4 Visual", "XVID", std::move(audio), width, height);
}

// serial:WIDTHxHEIGHT=fit, fit being y (fits), w (scaled to the device width) or h (scaled to its
// height, as scaling to the width would still come out too tall). -1 and 3 count as the first serial.
TEST(FitsDevice, FollowsEachSerialsSizeProfile) {
    std::istringstream cases(
        "0:720x576=y 0:721x576=w 0:1280x720=w 0:0x0=y 0:720x577=h 0:640x720=h 0:800x1000=h 0:1000x800=w "
        "1:852x598=y 1:853x480=w 1:852x599=h 1:852x600=h 1:900x700=h 1:1198x840=w 2:960x540=y 2:900x560=y "
        "2:960x576=y 2:800x600=y 2:850x590=h 2:810x600=h 2:961x400=w 2:1280x720=w 2:640x720=h 2:1000x1000=h "
        "2:961x600=h 2:961x576=w 2:1280x400=w 2:700x610=h -1:852x480=w 3:852x480=w");
    int serial = 0, width = 0, height = 0, checked = 0;
    char colon, times, equals, fit;
    for (; cases >> serial >> colon >> width >> times >> height >> equals >> fit; ++checked) {
        const FitResult result = FitsDevice(Xvid(width, height), serial);
        EXPECT_EQ(result.fits ? 'y' : result.keepWidth ? 'w' : 'h', fit) << serial << ":" << width << "x" << height;
    }
    EXPECT_EQ(checked, 30);
}

// Code per serial index; '.' where a serial is not looked at.
TEST(DecideVideo, CombinesVideoAudioAndSizePerSerial) {
    const video_struct mpeg = Record("MPEG Video", "", "MPEG Audio", 720, 480);
    const std::vector<std::tuple<video_struct, FileKind, std::string>> cases = {
        {Xvid(720, 576), FileKind::media, "0.."},        {Xvid(640, 480, "AC-3"), FileKind::media, "1.."},
        {Xvid(1280, 720), FileKind::media, "2.."},       {Xvid(852, 599), FileKind::media, ".3."},
        {Xvid(853, 480), FileKind::media, ".2."},        {Xvid(640, 720), FileKind::media, "3.."},
        {Xvid(640, 720, "AC-3"), FileKind::media, "6.."}, {Xvid(1280, 720, "AC-3"), FileKind::media, "5.."},
        {Xvid(852, 700, "AAC"), FileKind::media, ".6."},  {Xvid(320, 240, ""), FileKind::media, ".0."},
        {Xvid(850, 590), FileKind::media, "..3"},        {Xvid(850, 590, "WMA"), FileKind::media, "..6"},
        {Xvid(1280, 400), FileKind::media, "..2"},       {Xvid(700, 610), FileKind::media, "..3"},
        {Record("AVC", "avc1", "MPEG Audio", 640, 480), FileKind::media, "4.."},
        {Record("AVC", "avc1", "AAC", 640, 480), FileKind::media, "4.."},
        {Record("AVC", "avc1", "", 1920, 1080), FileKind::media, ".5."},
        {Record("AVC", "avc1", "", 640, 720), FileKind::media, ".6."},
        {Record("", "", "", 0, 0), FileKind::media, "4.."},
        {Record("RealVideo 4", "RV40", "Cooker", 640, 480), FileKind::media, "4.0"},
        {Record("RealVideo 4", "RV40", "Cooker", 1280, 720), FileKind::media, "..5"},
        {Record("MPEG-4 Visual", "DIV3", "MPEG Audio", 640, 480), FileKind::media, "440"},
        {Record("MPEG-4 Visual", "FMP4", "MPEG Audio", 640, 480), FileKind::media, "444"},
        {Record("JPEG", "MJPG", "PCM", 320, 240), FileKind::media, "000"},
        {Record("m-jpeg", "MJPG", "", 320, 240), FileKind::media, "000"},
        {Record("MJPEG", "MJPG", "", 320, 240), FileKind::media, "444"},
        {Record("mpeg-4 visual", "DIV3", "", 320, 240), FileKind::media, "000"},
        {Record("MPEG-4 Visual", "DIV3", "", 1280, 720), FileKind::media, "..2"},
        {Record("MPEG-4 Visual", "CV40", "", 320, 240), FileKind::media, "000"},
        {Record("MPEG-4 Visual", "RMP4", "", 320, 240), FileKind::media, "000"},
        {Record("MPEG-4 Visual", "divx", "", 320, 240), FileKind::media, "000"},
        {Record("MPEG-4 Visual", "20", "", 320, 240), FileKind::media, "444"},
        {Record("RealVideo 2", "RV20", "", 320, 240), FileKind::media, "440"},
        {Record("Unable to load MediaInfo.dll", "", "", 0, 0), FileKind::media, "444"},
        {Xvid(320, 240, "ADPCM"), FileKind::media, "101"},
        {Xvid(320, 240, "PCM"), FileKind::media, "000"},
        {Xvid(320, 240, "AAC"), FileKind::media, "110"},
        {Xvid(320, 240, "aac"), FileKind::media, "111"},
        {Xvid(320, 240, "MPEG audio"), FileKind::media, "111"},
        {Xvid(320, 240, "Vorbis"), FileKind::media, "111"},
        {mpeg, FileKind::vob, "44."},
        {mpeg, FileKind::media, "0.0"}};
    for (const auto& [record, kind, codes] : cases)
        for (int serial = 0; serial < 3; ++serial) {
            if (codes[size_t(serial)] == '.') continue;
            EXPECT_EQ(DecideVideo(record, kind, serial), codes[size_t(serial)] - '0')
                << record.video_format << "/" << record.codec_id << "/" << record.audio_format << " " << record.width
                << "x" << record.height << " kind " << int(kind) << " serial " << serial;
        }
    const std::tuple<int, bool, ScaleTarget> scales[] = {{0, true, {720, -2}}, {0, false, {-2, 576}}, {1, true, {852, -2}},
                                                         {1, false, {-2, 540}}, {2, true, {960, -2}}, {2, false, {-2, 576}}};
    for (const auto& [serial, keepWidth, target] : scales) EXPECT_EQ(ScaleTargetFor(serial, keepWidth), target) << serial;
}

// selector index:row value=bit rate; the row's own rate is limited to 3000, 512 when unreadable.
TEST(ChooseBitrate, TakesTheSelectedEntryOrTheRowsOwnLimited) {
    std::istringstream cases("0:4500=3000 0:0=3000 0:1500=1500 0:-7=3000 0:3000=3000 0:3001=3000 0:1=1 0:abc=512 "
                             "0:=512 0:12x=512 -1:800=800 13:800=800 1:4500=512 9:100=1500 12:=3000 3:abc=640");
    for (std::string item; cases >> item;) {
        const size_t colon = item.find(':'), equals = item.find('=');
        EXPECT_EQ(ChooseBitrate(std::stoi(item), item.substr(colon + 1, equals - colon - 1)), std::stoi(item.substr(equals + 1)))
            << item;
    }
    ASSERT_EQ(kBitrateEntries.size(), 13u);
    EXPECT_EQ(kBitrateEntries.front(), "Default");
    for (size_t index = 1; index < kBitrateEntries.size(); ++index)
        EXPECT_EQ(std::to_string(ChooseBitrate(int(index), "1")), kBitrateEntries[index]);
}

}  // namespace
}  // namespace tessaro
