#include "update/renovator/kuFormat.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tessaro {
namespace {

TEST(FormatText, FillsTheSpecifiersOfTheMessagesInOrder) {
    EXPECT_EQ(FormatText("File size: %.1f Kb", {1536.0 / 1024}), "File size: 1.5 Kb");
    EXPECT_EQ(FormatText("File size: %.1f Kb", {std::int64_t{3}}), "File size: 3.0 Kb");
    EXPECT_EQ(FormatText("Estimated time left: %d:%.2d:%.2d",
                         {std::int64_t{1}, std::int64_t{2}, std::int64_t{5}}),
              "Estimated time left: 1:02:05");
    EXPECT_EQ(FormatText("%d:%.2d", {std::int64_t{0}, std::int64_t{123}}), "0:123");
    EXPECT_EQ(FormatText("%.0d|%.2d", {std::int64_t{0}, std::int64_t{-3}}), "0|-03");
    EXPECT_EQ(FormatText("Downloading %d of %d", {std::int64_t{2}, std::int64_t{4}}),
              "Downloading 2 of 4");
    EXPECT_EQ(FormatText("A newer version of %s was released.\n%s\nDo you",
                         {std::string("Tessaro"), std::string("")}),
              "A newer version of Tessaro was released.\n\nDo you");
    EXPECT_EQ(FormatText("Rate %d%%", {2.9}), "Rate 2%");
}

TEST(FormatText, NeverReadsPastItsArgumentsNorFillsWhatItDoesNotKnow) {
    EXPECT_EQ(FormatText("Host %s unreachable %s", {std::string("http://h")}),
              "Host http://h unreachable %s");
    EXPECT_EQ(FormatText("%x %n %5s %.f end %", {std::string("a")}), "%x %n %5s %.f end %");
    EXPECT_EQ(FormatText("%s", {std::int64_t{42}}), "42");
    EXPECT_EQ(FormatText("100%", {}), "100%");
    // A text that itself holds a specifier is inserted as it is.
    EXPECT_EQ(FormatText("%s and %d", {std::string("%d"), std::int64_t{7}}), "%d and 7");
}

}  // namespace
}  // namespace tessaro
