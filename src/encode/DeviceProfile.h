#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "encode/FileKind.h"
#include "encode/VideoStruct.h"

namespace tessaro {

// Device serial index: the device selector's item index, 0 (Serial 1) to 2 (Serial 3).
// Any other index (no selection) is taken as the first profile.
inline constexpr int kSerialCount = 3;
int NormalizeSerial(int serial);

// Size test. keepWidth: when the frame does not fit, scale to the target width
// (the height follows the aspect ratio); otherwise scale to the target height.
// A picture narrower in proportion than the device's frame is scaled by height,
// since scaling it to the target width would leave it too tall.
struct FitResult {
    bool fits = false;
    bool keepWidth = true;
};
FitResult FitsDevice(const video_struct& record, int serial);

bool IsAudioSupported(const video_struct& record, int serial);
bool IsVideoSupported(const video_struct& record, bool fits, int serial);
bool IsKnownVideoFormat(std::string_view format);
// The video test of the decision: a DVD program stream ("MPEG Video" in a vob)
// is never played as it is, whatever the serial takes.
bool IsVideoPlayable(const video_struct& record, FileKind kind, bool fits, int serial);

// Decision code 0 to 6 for a media or vob file under the given serial.
int8_t DecideVideo(const video_struct& record, FileKind kind, int serial);

// mencoder's scale arguments; -2 lets it derive that side from the aspect ratio.
inline constexpr int kDerivedSide = -2;
struct ScaleTarget {
    int width = kDerivedSide;
    int height = kDerivedSide;

    bool operator==(const ScaleTarget&) const = default;
};
ScaleTarget ScaleTargetFor(int serial, bool keepWidth);

// Entries of the "Video Bitrate (kbps):" selector, index 0 being "Default".
inline constexpr std::array<std::string_view, 13> kBitrateEntries = {
    "Default", "512",  "600",  "640",  "700",  "800", "900",
    "1000",    "1200", "1500", "1800", "2000", "3000"};
inline constexpr int kDefaultBitrate = 512;
inline constexpr int kMaxBitrate = 3000;

// Bit rate in kbit/s for one job: the selected entry, or with "Default" (or no
// selection) the row's own bit rate limited to 1..3000.
int ChooseBitrate(int selectorIndex, const std::string& rowBitrate);

}  // namespace tessaro
