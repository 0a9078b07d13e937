#include "encode/JobRow.h"

#include <charconv>

namespace tessaro {

JobRow MakeJobRow(const std::string& path, const video_struct& record, int8_t decisionCode) {
    JobRow row;
    row.caption = path;
    row.subItems[siVideoFormat] = record.video_format;
    row.subItems[siCodec] = record.codec_id;
    row.subItems[siWidth] = std::to_string(record.width);
    row.subItems[siHeight] = std::to_string(record.height);
    row.subItems[siAudioFormat] = record.audio_format;
    row.subItems[siSupport] = decisionCode == 0 || decisionCode == 7 ? "Yes" : "No";
    row.subItems[siDecision] = std::to_string(decisionCode);
    row.subItems[siBitrate] = std::to_string(record.bitrate);
    return row;
}

int32_t ParseRowInteger(const std::string& text, int32_t fallback) {
    int32_t value = 0;
    const char* end = text.data() + text.size();
    const auto [rest, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && rest == end && !text.empty() ? value : fallback;
}

int8_t DecisionCodeOf(const JobRow& row) {
    return static_cast<int8_t>(ParseRowInteger(row.subItems[siDecision], -1));
}

}  // namespace tessaro
