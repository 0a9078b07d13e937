#include "encode/Probe.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <system_error>

#include "encode/DeviceProfile.h"
#include "encode/JobRow.h"
#include "encode/MediaInfo.h"
#include "platform/WholeFile.h"
#include "text/Zutf8_16.h"

namespace tessaro {

namespace {

constexpr const char* kSamiFormat = "Sami";
constexpr const char* kPlainTextFormat = "Text";
constexpr const char* kNoEncoding = "(NULL)";

std::string ReadSubtitleFile(const std::string& path) {
    std::string bytes;
    if (!platform::ReadWholeFile(path, bytes))
        throw std::system_error(errno, std::generic_category(), path);
    return bytes;
}

std::string TextStreamFormat(const std::string& path) {
    MediaInfo info;
    info.Open(path);
    std::string format = info.Get(StreamKind::text, 0, "Format");
    info.Close();
    return format;
}

int8_t ProbeSubtitle(video_struct& record, const std::string& path) {
    record.video_format = TextStreamFormat(path);
    const std::string bytes = ReadSubtitleFile(path);
    if (record.video_format.empty())
        record.video_format = ZUtf8_16::IsSami(bytes) ? kSamiFormat : kPlainTextFormat;
    ZUtf8_16 detector;
    detector.LoadAndDetect(bytes);
    const uint8_t encoding = detector.encoding();
    if (encoding == ZUtf8_16::ANSI && record.video_format == kPlainTextFormat) {
        record.codec_id = kNoEncoding;
        return -1;
    }
    record.codec_id = ZUtf8_16::EncodingName(encoding);
    return static_cast<int8_t>(7 + encoding);
}

void ReadVideoFacts(MediaInfo& info, video_struct& record, const std::string& path) {
    info.Open(path);
    record.video_format = info.Get(StreamKind::video, 0, "Format");
    record.audio_format = info.Get(StreamKind::audio, 0, "Format");
    record.codec_id = info.Get(StreamKind::video, 0, "CodecID");
    record.width = ParseRowInteger(info.Get(StreamKind::video, 0, "Width"), 0);
    record.height = ParseRowInteger(info.Get(StreamKind::video, 0, "Height"), 0);
    record.bitrate =
        ParseRowInteger(info.Get(StreamKind::video, 0, "BitRate"), kUnreportedBitrate) / 1000;
    info.Close();
}

// A failed open or query still yields a row, marked as nothing to do.
bool TryReadVideoFacts(video_struct& record, const std::string& path) {
    try {
        MediaInfo info;
        ReadVideoFacts(info, record, path);
        return true;
    } catch (...) {
        record.video_format = kUnknownFormat;
        return false;
    }
}

}  // namespace

double ProbeDurationSeconds(const std::string& path) {
    try {
        MediaInfo info;
        info.Open(path);
        const std::string milliseconds = info.Get(StreamKind::general, 0, "Duration");
        info.Close();
        return std::max(0.0, std::strtod(milliseconds.c_str(), nullptr) / 1000.0);
    } catch (...) {
        return 0;
    }
}

int8_t ProbeFile(FileKind kind, video_struct& record, const std::string& path, int serial) {
    record = {};
    if (kind == FileKind::subtitle) return ProbeSubtitle(record, path);
    if (!TryReadVideoFacts(record, path)) return -1;
    return DecideVideo(record, kind, serial);
}

}  // namespace tessaro
