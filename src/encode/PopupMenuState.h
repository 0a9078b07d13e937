#pragma once

#include <string>
#include <vector>

#include "encode/JobRow.h"

namespace tessaro {

// One group of the "Encode By(B)" submenu: the distinct texts of one column in
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

// What the list's context menu offers when it opens.
struct PopupMenuState {
    bool openEnabled = false;
    bool deleteEnabled = false;
    bool encodeOneEnabled = false;
    bool sortEnabled = false;
    bool clearEnabled = false;
    bool encodeAllEnabled = false;
    bool encodeByEnabled = false;
    std::vector<EncodeByGroup> encodeBy;
};

// `selectedRow` -1: no row selected.
PopupMenuState PopupMenu1Popup(const JobList& rows, int selectedRow);

}  // namespace tessaro
