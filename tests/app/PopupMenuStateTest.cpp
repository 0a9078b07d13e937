#include "app/PopupMenuState.h"

#include <gtest/gtest.h>

#include <array>
#include <tuple>

namespace tessaro {
namespace {

JobList Rows(size_t count) {
    return JobList(
        count, JobRow{"/v/a.avi", {"MPEG-4 Visual", "XVID", "320", "240", "", "Yes", "-1", "512"}});
}

TEST(PopupMenu1Popup, EnablesByRowsAndSelection) {
    // Rows, selected row, then open/delete/encode one, sort, clear/encode all/encode by (with
    // groups).
    const std::tuple<size_t, int, bool, bool, bool> cases[] = {{0, -1, false, false, false},
                                                               {1, -1, false, false, true},
                                                               {1, 0, true, false, true},
                                                               {2, 1, true, true, true},
                                                               {2, 2, false, true, true}};
    for (const auto& [count, selected, one, sort, all] : cases) {
        const PopupMenuState s = PopupMenu1Popup(Rows(count), selected);
        EXPECT_EQ((std::array{s.openEnabled, s.deleteEnabled, s.encodeOneEnabled, s.sortEnabled,
                              s.clearEnabled, s.encodeAllEnabled, s.encodeByEnabled,
                              !s.encodeBy.empty()}),
                  (std::array{one, one, one, sort, all, all, all, all}))
            << count << " rows, selected " << selected;
    }
}

}  // namespace
}  // namespace tessaro
