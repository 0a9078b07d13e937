#include "update/utils/kuVersion.h"

#include <gtest/gtest.h>

#include <string>

#include "TestRow.h"

namespace tessaro {
namespace {

struct VersionCase {
    const char* version1;
    const char* version2;
    int expected;  // sign of the result
};

void PrintTo(const VersionCase& c, std::ostream* out) {
    testing::PrintRow(std::string(c.version1) + "|" + c.version2, out);
}

class VersionCheckTest : public ::testing::TestWithParam<VersionCase> {};

int Sign(int value) {
    return (value > 0) - (value < 0);
}

TEST_P(VersionCheckTest, ComparesDottedNumbers) {
    const VersionCase& c = GetParam();
    EXPECT_EQ(Sign(VersionCheck(c.version1, c.version2)), c.expected)
        << c.version1 << " vs " << c.version2;
    // The comparison is antisymmetric.
    EXPECT_EQ(Sign(VersionCheck(c.version2, c.version1)), -c.expected)
        << c.version2 << " vs " << c.version1;
}

INSTANTIATE_TEST_SUITE_P(
    Table, VersionCheckTest,
    ::testing::Values(VersionCase{"1.2.1.3", "1.2.1.2", 1}, VersionCase{"1.2", "1.2.0.0", 0},
                      VersionCase{"1.10", "1.9", 1}, VersionCase{"1.2.10", "1.2.9", 1},
                      VersionCase{"", "1.2.1.2", -1}, VersionCase{"2.0.0.0.9", "2.0.0.0.1", 0},
                      VersionCase{"0.9", "1", -1}, VersionCase{"1.2.1.2", "1.2.1.2", 0},
                      VersionCase{"3", "2.99.99.99", 1},
                      // A non-numeric part compares the whole texts byte-wise.
                      VersionCase{"1.2b", "1.2a", 1}, VersionCase{"1.2b", "1.2.0", 1},
                      VersionCase{"1.x", "1.x", 0}));

TEST(VersionCheck, ResultsAreExactlyMinusOneZeroOrOne) {
    EXPECT_EQ(VersionCheck("1.2.1.3", "1.2.1.2"), 1);
    EXPECT_EQ(VersionCheck("1.2.1.2", "1.2.1.3"), -1);
    EXPECT_EQ(VersionCheck("1.2", "1.2.0.0"), 0);
    EXPECT_EQ(VersionCheck("b", "a"), 1);
}

TEST(VersionCheck, TextComparisonKeepsItsSignForAnyLengthDifference) {
    // 256 bytes of difference would vanish in an 8-bit cut of the length difference.
    const std::string longer = "x" + std::string(256, 'y');
    EXPECT_EQ(VersionCheck("x", longer), -1);
    EXPECT_EQ(VersionCheck(longer, "x"), 1);
    // Bytes 0x01 and 0xC9 differ by 200, which reads as -56 when cut to 8 bits.
    EXPECT_EQ(VersionCheck("\xC9", "\x01"), 1);
    EXPECT_EQ(VersionCheck("\x01", "\xC9"), -1);
}

}  // namespace
}  // namespace tessaro
