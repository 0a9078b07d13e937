#include "encode/DeviceProfile.h"

#include "encode/JobRow.h"
#include "platform/Paths.h"

namespace tessaro {
namespace {

using platform::ToLowerAscii;

constexpr int kSerial1 = 0;
constexpr int kSerial2 = 1;
constexpr int kSerial3 = 2;

constexpr std::string_view kMpeg4Visual = "MPEG-4 Visual";

bool FitsSerial(int serial, int w, int h) {
    switch (serial) {
        case kSerial2:
            return w <= 852 && h <= 598;
        case kSerial3:
            return (w <= 960 && h <= 576) || (w <= 800 && h <= 600);
        default:
            return w <= 720 && h <= 576;
    }
}

// The frame a scaled picture must fit into, per serial.
struct FrameBox {
    int64_t width;
    int64_t height;
};
constexpr std::array<FrameBox, kSerialCount> kFrameBoxes = {{{720, 576}, {852, 598}, {960, 576}}};

// Scaling to the target width helps only a picture at least as wide, in
// proportion, as the device's frame; a taller one would come out taller still.
bool IsWiderThanFrame(int serial, int w, int h) {
    const FrameBox& box = kFrameBoxes[static_cast<size_t>(serial)];
    return int64_t{w} * box.height >= int64_t{h} * box.width;
}

std::string LowerPrefix(std::string_view text, size_t length) {
    return ToLowerAscii(text.substr(0, length));
}

bool IsDivX3(const video_struct& record) {
    return record.video_format == kMpeg4Visual && ToLowerAscii(record.codec_id) == "div3";
}

bool IsPlayableMpeg4Codec(std::string_view c2) {
    return c2 == "di" || c2 == "cv" || c2 == "dx" || c2 == "xv" || c2 == "rm";
}

// RealVideo and DivX 3 play only on Serial 3, RealVideo only at a fitting size.
bool IsSerial3Only(const video_struct& record, bool fits) {
    const bool realVideo = LowerPrefix(record.codec_id, 2) == "rv" &&
                           LowerPrefix(record.video_format, 9) == "realvideo";
    return (realVideo && fits) || IsDivX3(record);
}

int8_t CodeForScaling(bool keepWidth, int8_t widthCode, int8_t heightCode) {
    return keepWidth ? widthCode : heightCode;
}

}  // namespace

int NormalizeSerial(int serial) {
    return serial >= 0 && serial < kSerialCount ? serial : kSerial1;
}

FitResult FitsDevice(const video_struct& record, int serial) {
    serial = NormalizeSerial(serial);
    if (FitsSerial(serial, record.width, record.height)) return {true, true};
    return {false, IsWiderThanFrame(serial, record.width, record.height)};
}

bool IsAudioSupported(const video_struct& record, int serial) {
    const std::string& audio = record.audio_format;
    if (audio.empty()) return true;
    serial = NormalizeSerial(serial);
    if (serial == kSerial3 && (audio == "Cooker" || audio == "AC-3" || audio == "AAC")) return true;
    if (serial == kSerial2 && audio == "ADPCM") return true;
    return audio == "MPEG Audio" || audio == "PCM";
}

bool IsKnownVideoFormat(std::string_view format) {
    const std::string lower = ToLowerAscii(format);
    // Current MediaInfo names Motion JPEG "JPEG"; older releases said "M-JPEG".
    return lower == "mpeg-4 visual" || lower == "mpeg video" || lower == "m-jpeg" ||
           lower == "jpeg" || lower == "xvid";
}

bool IsVideoSupported(const video_struct& record, bool fits, int serial) {
    if (NormalizeSerial(serial) == kSerial3 && IsSerial3Only(record, fits)) return true;
    if (!IsKnownVideoFormat(record.video_format)) return false;
    if (IsDivX3(record)) return false;
    if (record.video_format == kMpeg4Visual)
        return IsPlayableMpeg4Codec(LowerPrefix(record.codec_id, 2));
    return true;
}

bool IsVideoPlayable(const video_struct& record, FileKind kind, bool fits, int serial) {
    const bool dvdProgramStream = record.video_format == "MPEG Video" && kind == FileKind::vob;
    return !dvdProgramStream && IsVideoSupported(record, fits, serial);
}

int8_t DecideVideo(const video_struct& record, FileKind kind, int serial) {
    const FitResult size = FitsDevice(record, serial);
    const bool audioOk = IsAudioSupported(record, serial);
    const bool videoOk = IsVideoPlayable(record, kind, size.fits, serial);
    if (!videoOk) return size.fits ? 4 : CodeForScaling(size.keepWidth, 5, 6);
    if (size.fits) return audioOk ? 0 : 1;
    return audioOk ? CodeForScaling(size.keepWidth, 2, 3) : CodeForScaling(size.keepWidth, 5, 6);
}

ScaleTarget ScaleTargetFor(int serial, bool keepWidth) {
    static constexpr std::array<ScaleTarget, kSerialCount> kWidthTargets = {
        {{720, kDerivedSide}, {852, kDerivedSide}, {960, kDerivedSide}}};
    static constexpr std::array<ScaleTarget, kSerialCount> kHeightTargets = {
        {{kDerivedSide, 576}, {kDerivedSide, 540}, {kDerivedSide, 576}}};
    const int index = NormalizeSerial(serial);
    return keepWidth ? kWidthTargets[index] : kHeightTargets[index];
}

int ChooseBitrate(int selectorIndex, const std::string& rowBitrate) {
    const int entries = static_cast<int>(kBitrateEntries.size());
    if (selectorIndex > 0 && selectorIndex < entries)
        return ParseRowInteger(std::string(kBitrateEntries[selectorIndex]), kDefaultBitrate);
    const int own = ParseRowInteger(rowBitrate, kDefaultBitrate);
    return own <= 0 || own > kMaxBitrate ? kMaxBitrate : own;
}

}  // namespace tessaro
