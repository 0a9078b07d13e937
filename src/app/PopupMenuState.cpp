#include "app/PopupMenuState.h"

namespace tessaro {

PopupMenuState PopupMenu1Popup(const JobList& rows, int selectedRow) {
    PopupMenuState state;
    const bool selected = selectedRow >= 0 && static_cast<size_t>(selectedRow) < rows.size();
    state.openEnabled = state.deleteEnabled = state.encodeOneEnabled = selected;
    state.sortEnabled = rows.size() > 1;
    state.clearEnabled = state.encodeAllEnabled = state.encodeByEnabled = !rows.empty();
    if (!rows.empty()) state.encodeBy = EncodeByGroups(rows);
    return state;
}

}  // namespace tessaro
