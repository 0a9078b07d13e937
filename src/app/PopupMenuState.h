#pragma once

#include <vector>

#include "encode/EncodeByGroups.h"
#include "encode/JobRow.h"

namespace tessaro {

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
