#include "update/utils/kuText.h"

#include <gtest/gtest.h>

#include <string>

#include "TestRow.h"

namespace tessaro {
namespace {

struct PartCase {
    const char* delim;
    const char* text;
    const char* left;
    const char* right;
    const char* leftR;
    const char* rightR;
};

void PrintTo(const PartCase& c, std::ostream* out) {
    testing::PrintRow(std::string(c.delim) + "|" + c.text, out);
}

class PartsTest : public ::testing::TestWithParam<PartCase> {};

TEST_P(PartsTest, CutAtFirstAndLastDelimiter) {
    const PartCase& c = GetParam();
    EXPECT_EQ(LeftPart(c.delim, c.text), c.left);
    EXPECT_EQ(RightPart(c.delim, c.text), c.right);
    EXPECT_EQ(LeftPartR(c.delim, c.text), c.leftR);
    EXPECT_EQ(RightPartR(c.delim, c.text), c.rightR);
}

INSTANTIATE_TEST_SUITE_P(Table, PartsTest,
                         ::testing::Values(PartCase{"=", "a=b=c", "a", "b=c", "a=b", "c"},
                                           PartCase{"::", "x::y::z", "x", "y::z", "x::y", "z"},
                                           PartCase{"=", "plain", "", "", "", ""},
                                           PartCase{"", "a=b", "", "", "", ""},
                                           PartCase{"=", "", "", "", "", ""},
                                           PartCase{"=", "=", "", "", "", ""}));

TEST(SmallTextHelpers, MiddlePartTakesTheTextBetweenTwoDelimiters) {
    EXPECT_EQ(MiddlePart("<", ">", "a<tag>b"), "tag");
    EXPECT_EQ(MiddlePart("<", ">", "a<tag"), "tag");
    EXPECT_EQ(MiddlePart("<", ">", "no delimiters"), "");
    EXPECT_EQ(MiddlePart("[", "]", "x[first]y[second]"), "first");
}

TEST(SmallTextHelpers, PositionsAreOneBasedAndZeroWhenAbsent) {
    EXPECT_EQ(Pos("b", "abcabc"), 2u);
    EXPECT_EQ(PosR("b", "abcabc"), 5u);
    EXPECT_EQ(PosR("bc", "abcabc"), 5u);
    EXPECT_EQ(PosR("x", "abc"), 0u);
    EXPECT_EQ(PosR("", "abc"), 0u);
    EXPECT_EQ(PosR("a", ""), 0u);
    EXPECT_EQ(PosRM("/\\", "C:\\dir/sub\\file"), 11u);
    EXPECT_EQ(PosRM("xyz", "abc"), 0u);
    EXPECT_EQ(PosRM("", "abc"), 0u);
}

TEST(SmallTextHelpers, PosCaseFindsWithOrWithoutCase) {
    EXPECT_EQ(PosCase("WORLD", "hello world", false), 0u);
    EXPECT_EQ(PosCase("WORLD", "hello world", true), 7u);
    // Byte positions stay right behind multi-byte characters.
    EXPECT_EQ(PosCase("ÄB", "xäb", true), 2u);
    EXPECT_EQ(PosCase("Ü", "aäöü", true), 6u);
    EXPECT_EQ(PosCase("", "abc", true), 0u);
}

TEST(SmallTextHelpers, LeadingCharactersAreAddedOnceAndRemovedAll) {
    EXPECT_EQ(IncludeLeadingChar("abc", '/'), "/abc");
    EXPECT_EQ(IncludeLeadingChar("/abc", '/'), "/abc");
    EXPECT_EQ(IncludeLeadingChar("", '/'), "/");
    EXPECT_EQ(ExcludeLeadingChar("///abc/", '/'), "abc/");
    EXPECT_EQ(ExcludeLeadingChar("///", '/'), "");
    EXPECT_EQ(IncludeLeadingBackslash("Software\\Key"), "\\Software\\Key");
    EXPECT_EQ(ExcludeLeadingBackslash("\\\\Software\\Key"), "Software\\Key");
}

TEST(SmallTextHelpers, CaseAnsiCompareTextOrdersAndHonoursCase) {
    EXPECT_EQ(CaseAnsiCompareText("Apple", "apple", false), 0);
    EXPECT_NE(CaseAnsiCompareText("Apple", "apple", true), 0);
    EXPECT_LT(CaseAnsiCompareText("apple", "Banana", false), 0);
    EXPECT_GT(CaseAnsiCompareText("cherry", "banana", true), 0);
    EXPECT_EQ(CaseAnsiCompareText("ÄRGER", "ärger", false), 0);
    // Opposite orders give opposite signs.
    EXPECT_EQ(CaseAnsiCompareText("a", "B", false) < 0, CaseAnsiCompareText("B", "a", false) > 0);
}

TEST(SmallTextHelpers, TrimRemovesControlCharactersAndBlanks) {
    EXPECT_EQ(Trim(" \t a b \r\n"), "a b");
    EXPECT_EQ(Trim(" \t "), "");
    EXPECT_EQ(TrimLeft("  a "), "a ");
}

TEST(SmallTextHelpers, ParseDecimalAcceptsOnlyWholeNumbers) {
    EXPECT_EQ(ParseDecimal("42"), 42);
    EXPECT_EQ(ParseDecimal("-7"), -7);
    EXPECT_EQ(ParseDecimal("+7"), 7);
    for (const char* bad : {"", "+", "-", "4x", " 4", "1.5", "+-1", "99999999999", "0x10"})
        EXPECT_FALSE(ParseDecimal(bad).has_value()) << bad;
}

struct SplitCase {
    const char* s;
    TkuSplitStrSide notFound;
    TkuSplitStrSides keep;
    const char* left;
    const char* right;
};

void PrintTo(const SplitCase& c, std::ostream* out) {
    testing::PrintRow(std::string(c.s) + "|" + std::to_string(static_cast<int>(c.notFound)) +
                          std::to_string(c.keep.left) + std::to_string(c.keep.right),
                      out);
}

class SplitStrTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitStrTest, SplitsAtTheFirstDelimiter) {
    const SplitCase& c = GetParam();
    std::string left = "stale";
    std::string right = "stale";
    SplitStr(" -", c.s, left, right, c.notFound, c.keep);
    EXPECT_EQ(left, c.left);
    EXPECT_EQ(right, c.right);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SplitStrTest,
    ::testing::Values(
        SplitCase{"prog -a -b", TkuSplitStrSide::LEFT, {}, "prog", "a -b"},
        SplitCase{"prog -a -b", TkuSplitStrSide::LEFT, {true, false}, "prog -", "a -b"},
        SplitCase{"prog -a -b", TkuSplitStrSide::LEFT, {false, true}, "prog", " -a -b"},
        SplitCase{"prog -a", TkuSplitStrSide::LEFT, {true, true}, "prog -", " -a"},
        SplitCase{"prog", TkuSplitStrSide::LEFT, {true, true}, "prog", ""},
        SplitCase{"prog", TkuSplitStrSide::RIGHT, {true, true}, "", "prog"},
        SplitCase{"", TkuSplitStrSide::RIGHT, {}, "", ""}));

}  // namespace
}  // namespace tessaro
