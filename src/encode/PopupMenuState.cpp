#include "encode/PopupMenuState.h"

#include <algorithm>
#include <array>

namespace tessaro {
namespace {

// Sub-item of each group: video format, codec, audio format, support.
constexpr std::array<int, kEncodeByGroupCount> kGroupSubItems = {siVideoFormat, siCodec, siAudioFormat,
                                                                 siSupport};

std::vector<std::string> DistinctValues(const JobList& rows, int subItem) {
    std::vector<std::string> values;
    for (const JobRow& row : rows) {
        const std::string& text = row.subItems[static_cast<size_t>(subItem)];
        std::string value = text.empty() ? kNullValue : text;
        if (std::find(values.begin(), values.end(), value) == values.end()) values.push_back(std::move(value));
    }
    return values;
}

}  // namespace

int EncodeByColumn(int group) { return group < 2 ? group + 1 : group + 3; }

PopupMenuState PopupMenu1Popup(const JobList& rows, int selectedRow) {
    PopupMenuState state;
    const bool selected = selectedRow >= 0 && static_cast<size_t>(selectedRow) < rows.size();
    state.openEnabled = state.deleteEnabled = state.encodeOneEnabled = selected;
    state.sortEnabled = rows.size() > 1;
    state.clearEnabled = state.encodeAllEnabled = state.encodeByEnabled = !rows.empty();
    if (rows.empty()) return state;
    for (int group = 0; group < kEncodeByGroupCount; ++group) {
        const int subItem = kGroupSubItems[static_cast<size_t>(group)];
        std::vector<std::string> values = DistinctValues(rows, subItem);
        if (!values.empty()) state.encodeBy.push_back({group, subItem + 1, std::move(values)});
    }
    return state;
}

}  // namespace tessaro
