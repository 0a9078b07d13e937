#include "encode/EncodeByGroups.h"

#include <algorithm>
#include <array>

namespace tessaro {
namespace {

// Sub-item of each group: video format, codec, audio format, support.
constexpr std::array<int, kEncodeByGroupCount> kGroupSubItems = {siVideoFormat, siCodec,
                                                                 siAudioFormat, siSupport};

std::vector<std::string> DistinctValues(const JobList& rows, int subItem) {
    std::vector<std::string> values;
    for (const JobRow& row : rows) {
        const std::string& text = row.subItems[static_cast<size_t>(subItem)];
        std::string value = text.empty() ? kNullValue : text;
        if (std::find(values.begin(), values.end(), value) == values.end())
            values.push_back(std::move(value));
    }
    return values;
}

}  // namespace

int EncodeByColumn(int group) {
    return group < 2 ? group + 1 : group + 3;
}

std::vector<EncodeByGroup> EncodeByGroups(const JobList& rows) {
    std::vector<EncodeByGroup> groups;
    for (int group = 0; group < kEncodeByGroupCount; ++group) {
        const int subItem = kGroupSubItems[static_cast<size_t>(group)];
        std::vector<std::string> values = DistinctValues(rows, subItem);
        if (!values.empty()) groups.push_back({group, subItem + 1, std::move(values)});
    }
    return groups;
}

}  // namespace tessaro
