#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tessaro {

// The lines a conversion script prints for the runner: "#JOB#Job:2/5" when a
// job starts, "#STATUS#<status>" for the status panel, and the tools' own
// lines the run reads (mencoder's progress records, the skip notes).
inline constexpr std::string_view kJobMarker = "#JOB#";
inline constexpr std::string_view kStatusMarker = "#STATUS#";
inline constexpr std::string_view kJobTextPrefix = "Job:";
inline constexpr std::string_view kEncodingStatus = "Encoding";
inline constexpr std::string_view kCompletedStatus = "Completed";
inline constexpr std::string_view kFailedStatus = "Failed: ";
inline constexpr std::string_view kCopytoStatus = "Copyto ";
inline constexpr std::string_view kSkipNote = "Skip ";
// mencoder's progress record, "Pos:  25.2s    632f ( 44%) ...".
inline constexpr std::string_view kProgressRecord = "Pos:";

// "Job:2/5"; several jobs running side by side read "Job:3+4/8".
std::string JobText(const std::vector<int>& numbers, int count);
// The line that sets the status panel to `status`.
std::string StatusLine(std::string_view status);

}  // namespace tessaro
