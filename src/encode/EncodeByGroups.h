#pragma once

#include <string>
#include <vector>

#include "encode/JobRow.h"

namespace tessaro {

// One group of the "Encode By(B)" choice: the distinct texts of one column in
// order of first appearance, an empty text shown as "(NULL)".
struct EncodeByGroup {
    int group = 0;       // 0 to 3
    int listColumn = 0;  // list column whose caption heads the group
    std::vector<std::string> values;

    bool operator==(const EncodeByGroup&) const = default;
};

inline constexpr const char* kNullValue = "(NULL)";
inline constexpr int kEncodeByGroupCount = 4;

// Column number WriteScript filters on for a group: 1, 2, 5 or 6 (video
// format, codec, audio format, support).
int EncodeByColumn(int group);

// The groups the rows offer: video format, codec, audio format, support.
std::vector<EncodeByGroup> EncodeByGroups(const JobList& rows);

}  // namespace tessaro
