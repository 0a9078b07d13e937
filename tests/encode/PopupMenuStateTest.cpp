#include "encode/PopupMenuState.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

JobRow Row(std::string video, std::string codec, std::string audio, std::string support) {
    JobRow row;
    row.caption = "/v/" + video + codec + audio + ".avi";
    row.subItems = {std::move(video), std::move(codec), "640", "480", std::move(audio), std::move(support),
                    "0", "512"};
    return row;
}

TEST(EncodeByColumn, MapsGroupsToTheWritersColumns) {
    EXPECT_EQ(EncodeByColumn(0), 1);
    EXPECT_EQ(EncodeByColumn(1), 2);
    EXPECT_EQ(EncodeByColumn(2), 5);
    EXPECT_EQ(EncodeByColumn(3), 6);
}

struct MenuCase {
    const char* name;
    size_t rowCount;
    int selectedRow;
    bool open, sort, all;
};

void PrintTo(const MenuCase& c, std::ostream* out) { *out << c.name; }

class PopupMenuEnabling : public ::testing::TestWithParam<MenuCase> {};

TEST_P(PopupMenuEnabling, FollowsRowsAndSelection) {
    const MenuCase& c = GetParam();
    const JobList rows(c.rowCount, Row("MPEG-4 Visual", "XVID", "MPEG Audio", "Yes"));
    const PopupMenuState state = PopupMenu1Popup(rows, c.selectedRow);
    EXPECT_EQ(state.openEnabled, c.open);
    EXPECT_EQ(state.deleteEnabled, c.open);
    EXPECT_EQ(state.encodeOneEnabled, c.open);
    EXPECT_EQ(state.sortEnabled, c.sort);
    EXPECT_EQ(state.clearEnabled, c.all);
    EXPECT_EQ(state.encodeAllEnabled, c.all);
    EXPECT_EQ(state.encodeByEnabled, c.all);
    EXPECT_EQ(state.encodeBy.empty(), !c.all);
}

INSTANTIATE_TEST_SUITE_P(Cases, PopupMenuEnabling,
                         ::testing::Values(MenuCase{"Empty", 0, -1, false, false, false},
                                           MenuCase{"OneUnselected", 1, -1, false, false, true},
                                           MenuCase{"OneSelected", 1, 0, true, false, true},
                                           MenuCase{"TwoSelected", 2, 1, true, true, true},
                                           MenuCase{"SelectionBeyondRows", 2, 2, false, true, true}),
                         [](const ::testing::TestParamInfo<MenuCase>& info) { return std::string(info.param.name); });

TEST(PopupMenu1Popup, GroupsDistinctValuesInOrderOfFirstAppearance) {
    const JobList rows = {Row("MPEG-4 Visual", "XVID", "AC-3", "No"), Row("AVC", "avc1", "AAC", "No"),
                          Row("MPEG-4 Visual", "DX50", "", "Yes"), Row("AVC", "XVID", "AC-3", "No")};
    const std::vector<EncodeByGroup> expected = {
        {0, 1, {"MPEG-4 Visual", "AVC"}},
        {1, 2, {"XVID", "avc1", "DX50"}},
        {2, 5, {"AC-3", "AAC", "(NULL)"}},
        {3, 6, {"No", "Yes"}},
    };
    EXPECT_EQ(PopupMenu1Popup(rows, -1).encodeBy, expected);
}

TEST(PopupMenu1Popup, ComparesValuesExactly) {
    const JobList rows = {Row("AVC", "xvid", "AAC", "Yes"), Row("AVC", "XVID", "AAC ", "Yes")};
    const PopupMenuState state = PopupMenu1Popup(rows, 0);
    EXPECT_EQ(state.encodeBy[1].values, (std::vector<std::string>{"xvid", "XVID"}));
    EXPECT_EQ(state.encodeBy[2].values, (std::vector<std::string>{"AAC", "AAC "}));
}

}  // namespace
}  // namespace tessaro
