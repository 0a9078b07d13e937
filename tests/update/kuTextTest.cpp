#include "update/utils/kuNumeric.h"
#include "update/utils/kuText.h"
#include "update/utils/kuVersion.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <tuple>

namespace tessaro {
namespace {

TEST(TextHelpers, FindFromTheEndTrimCompareAndParse) {
    EXPECT_EQ(PosR("bc", "abcabc"), 5u);
    EXPECT_EQ(ExcludeLeadingBackslash("\\\\Software\\Key"), "Software\\Key");
    EXPECT_EQ(Trim(" \t a b \r\n"), "a b");
    EXPECT_NE(CaseAnsiCompareText("Apple", "apple", true), 0);
    EXPECT_LT(CaseAnsiCompareText("apple", "Banana", false), 0);
    EXPECT_EQ(CaseAnsiCompareText("ÄRGER", "ärger", false), 0);
    EXPECT_EQ(ParseDecimal("-7"), -7);
    for (const char* bad : {"", "+", "4x", " 4", "1.5", "+-1", "99999999999", "0x10"})
        EXPECT_FALSE(ParseDecimal(bad).has_value()) << bad;
}

TEST(VersionCheck, ComparesDottedNumbersOrElseTheWholeTexts) {
    const std::tuple<std::string, std::string, int> rows[] = {
        {"1.2.1.3", "1.2.1.2", 1},
        {"1.2", "1.2.0.0", 0},
        {"1.10", "1.9", 1},
        {"", "1.2.1.2", -1},
        {"2.0.0.0.9", "2.0.0.0.1", 0},
        {"3", "2.99.99.99", 1},
        {"1.2b", "1.2a", 1},
        {"1.2b", "1.2.0", 1},
        {"1.x", "1.x", 0},
        // Neither a length difference of 256 nor bytes 200 apart may lose the
        // sign in an 8-bit cut.
        {"x" + std::string(256, 'y'), "x", 1},
        {"\xC9", "\x01", 1}};
    for (const auto& [a, b, expected] : rows) {
        EXPECT_EQ(VersionCheck(a, b), expected) << a << " vs " << b;
        EXPECT_EQ(VersionCheck(b, a), -expected) << b << " vs " << a;
    }
}

TEST(Numeric, PercentsRoundOrAreZeroForFailedArithmetic) {
    EXPECT_EQ(PercentsOf(2, 3), 67);
    EXPECT_EQ(PercentsOf(300, 100), 255);
    EXPECT_EQ(PercentsOf(std::numeric_limits<long double>::quiet_NaN(), 10) + PercentsOf(-5, 10) +
                  PercentsOf(std::numeric_limits<long double>::infinity(), 10) + PercentsOf(5, 0),
              0);
}

}  // namespace
}  // namespace tessaro
