#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tessaro {

// Text helpers of the update component. Texts are UTF-8; positions are 1-based
// byte positions and 0 means "not found".

// Removes leading and trailing bytes up to and including the space.
std::string Trim(std::string_view s);
std::string TrimLeft(std::string_view s);

// An optionally signed decimal integer filling the whole text; nullopt otherwise.
std::optional<int> ParseDecimal(std::string_view s);
inline int StrToIntDef(std::string_view s, int fallback) {
    return ParseDecimal(s).value_or(fallback);
}

std::string UpperCaseAscii(std::string_view s);

// Position of Sub in S; 0 when absent or either is empty.
std::size_t Pos(std::string_view sub, std::string_view s);

std::string LeftPart(std::string_view delim, std::string_view s);
std::string RightPart(std::string_view delim, std::string_view s);
std::string LeftPartR(std::string_view delim, std::string_view s);
std::string RightPartR(std::string_view delim, std::string_view s);
// RightPart(LeftDelim, S), cut before its first RightDelim when it has one.
std::string MiddlePart(std::string_view leftDelim, std::string_view rightDelim, std::string_view s);

// Position of the last Sub in S.
std::size_t PosR(std::string_view sub, std::string_view s);
// Position of the last byte of S that is one of Chars.
std::size_t PosRM(std::string_view chars, std::string_view s);
// Position of Sub in S; IgnoreCase compares with Unicode case folding.
std::size_t PosCase(std::string_view sub, std::string_view s, bool ignoreCase);

std::string IncludeLeadingChar(std::string_view s, char ch);
std::string ExcludeLeadingChar(std::string_view s, char ch);
// Registry key paths keep the backslash on every platform.
inline std::string IncludeLeadingBackslash(std::string_view s) {
    return IncludeLeadingChar(s, '\\');
}
inline std::string ExcludeLeadingBackslash(std::string_view s) {
    return ExcludeLeadingChar(s, '\\');
}

// Comparison by the collation of the process locale (negative, 0, positive);
// 0 only for texts that are equal, or equal but for case when CaseSensitive is
// false.
// The text as comparisons without regard to case see it: two texts are equal for
// CaseAnsiCompareText without case exactly when their folded forms are.
std::string CaseFolded(std::string_view s);
int CaseAnsiCompareText(std::string_view s1, std::string_view s2, bool caseSensitive);
// Whether Part occurs in S, with or without case.
bool ContainsText(std::string_view s, std::string_view part, bool caseSensitive);

enum class TkuSplitStrSide { LEFT, RIGHT };

struct TkuSplitStrSides {
    bool left = false;
    bool right = false;
};

// Splits S at the first Delimiter. With LEFT kept the delimiter ends Left, with
// RIGHT kept it begins Right. Without a delimiter all of S goes to NotFoundSide.
void SplitStr(std::string_view delimiter, std::string_view s, std::string& left, std::string& right,
              TkuSplitStrSide notFoundSide, TkuSplitStrSides keepDelimiter);

}  // namespace tessaro
