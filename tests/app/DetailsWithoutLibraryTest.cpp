#include <gtest/gtest.h>

#include <QCheckBox>
#include <QPlainTextEdit>

#include "WindowTestSupport.h"

namespace tessaro::testing {
namespace {

// The library is bound once per process, so this runs in a program of its own.
TEST(DetailsWithoutLibraryTest, PaneShowsTheBindingsFallbackLine) {
    ScopedUser user;
    ScopedEnv missing("TESSARO_MEDIAINFO_LIBRARY", user.Path("home/no-such-library.so").c_str());
    TMainForm form;
    form.show();
    Control<QCheckBox>(form, "CheckBox2")->click();
    AddAndWait(form, {CorpusPath("xvid.avi")});
    auto* list = JobList(form);
    ASSERT_EQ(list->topLevelItemCount(), 1);
    list->setCurrentItem(list->topLevelItem(0));
    EXPECT_EQ(Control<QPlainTextEdit>(form, "Details")->toPlainText(),
              "Unable to load MediaInfo.dll");
}

}  // namespace
}  // namespace tessaro::testing
