#pragma once

#include <istream>
#include <optional>
#include <string>

#include "encode/JobRow.h"

namespace tessaro::cli {

// The probe's output format: one job row a line, caption then sub-items 0 to
// 7, separated by tabs. A field holding a tab or a line break has no form in it.
inline constexpr int kJobRowFieldCount = 1 + kSubItemCount;

std::optional<std::string> FormatJobRow(const JobRow& row);

// Reads rows in that format; throws UsageError naming the first malformed line.
JobList ReadJobRows(std::istream& in, const std::string& sourceName);

}  // namespace tessaro::cli
