#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "encode/VideoStruct.h"

namespace tessaro {

// Places of a job row's sub-items; 6 and 7 have no visible column.
enum SubItem : int {
    siVideoFormat = 0,
    siCodec = 1,
    siWidth = 2,
    siHeight = 3,
    siAudioFormat = 4,
    siSupport = 5,
    siDecision = 6,
    siBitrate = 7,
};
inline constexpr int kSubItemCount = 8;

// One job of the list, every value kept as text: the only lasting store of a job.
struct JobRow {
    std::string caption;  // full path of the source file
    std::array<std::string, kSubItemCount> subItems;

    bool operator==(const JobRow&) const = default;
};

using JobList = std::vector<JobRow>;

JobRow MakeJobRow(const std::string& path, const video_struct& record, int8_t decisionCode);

// Sub-item 6 read back as a signed 8-bit code; -1 when it is not a number.
int8_t DecisionCodeOf(const JobRow& row);

// Decimal text to int32 as the rows store it; `fallback` when it does not parse.
int32_t ParseRowInteger(const std::string& text, int32_t fallback);

}  // namespace tessaro
