#include "update/utils/kuText.h"

#include <QString>

#include <algorithm>
#include <charconv>
#include <cstring>

namespace tessaro {
namespace {

bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

QString ToQString(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

std::size_t ToPosition(std::size_t index) {
    return index == std::string_view::npos ? 0 : index + 1;
}

}  // namespace

std::string Trim(std::string_view s) {
    const auto first = std::find_if_not(s.begin(), s.end(), IsBlank);
    const auto last = std::find_if_not(s.rbegin(), s.rend(), IsBlank).base();
    return first < last ? std::string(first, last) : std::string();
}

std::string TrimLeft(std::string_view s) {
    return std::string(std::find_if_not(s.begin(), s.end(), IsBlank), s.end());
}

std::optional<int> ParseDecimal(std::string_view s) {
    if (!s.empty() && s.front() == '+') {
        s.remove_prefix(1);
        if (!s.empty() && s.front() == '-') return std::nullopt;
    }
    if (s.empty() || s.front() == '+') return std::nullopt;
    int value = 0;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (error != std::errc() || end != s.data() + s.size()) return std::nullopt;
    return value;
}

std::string UpperCaseAscii(std::string_view s) {
    std::string upper(s);
    for (char& c : upper)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return upper;
}

std::size_t Pos(std::string_view sub, std::string_view s) {
    if (sub.empty() || s.empty()) return 0;
    return ToPosition(s.find(sub));
}

std::string LeftPart(std::string_view delim, std::string_view s) {
    const std::size_t p = Pos(delim, s);
    return p ? std::string(s.substr(0, p - 1)) : std::string();
}

std::string RightPart(std::string_view delim, std::string_view s) {
    const std::size_t p = Pos(delim, s);
    return p ? std::string(s.substr(p - 1 + delim.size())) : std::string();
}

std::string LeftPartR(std::string_view delim, std::string_view s) {
    const std::size_t p = PosR(delim, s);
    return p ? std::string(s.substr(0, p - 1)) : std::string();
}

std::string RightPartR(std::string_view delim, std::string_view s) {
    const std::size_t p = PosR(delim, s);
    return p ? std::string(s.substr(p - 1 + delim.size())) : std::string();
}

std::string MiddlePart(std::string_view leftDelim, std::string_view rightDelim,
                       std::string_view s) {
    const std::string right = RightPart(leftDelim, s);
    const std::size_t p = Pos(rightDelim, right);
    return p ? right.substr(0, p - 1) : right;
}

std::size_t PosR(std::string_view sub, std::string_view s) {
    if (sub.empty() || s.empty()) return 0;
    return ToPosition(s.rfind(sub));
}

std::size_t PosRM(std::string_view chars, std::string_view s) {
    if (chars.empty()) return 0;
    return ToPosition(s.find_last_of(chars));
}

std::size_t PosCase(std::string_view sub, std::string_view s, bool ignoreCase) {
    if (!ignoreCase) return Pos(sub, s);
    if (sub.empty() || s.empty()) return 0;
    const QString text = ToQString(s);
    const qsizetype index = text.indexOf(ToQString(sub), 0, Qt::CaseInsensitive);
    if (index < 0) return 0;
    return static_cast<std::size_t>(text.left(index).toUtf8().size()) + 1;
}

std::string IncludeLeadingChar(std::string_view s, char ch) {
    if (!s.empty() && s.front() == ch) return std::string(s);
    return ch + std::string(s);
}

std::string ExcludeLeadingChar(std::string_view s, char ch) {
    const std::size_t first = s.find_first_not_of(ch);
    return first == std::string_view::npos ? std::string() : std::string(s.substr(first));
}

std::string CaseFolded(std::string_view s) {
    return ToQString(s).toCaseFolded().toStdString();
}

int CaseAnsiCompareText(std::string_view s1, std::string_view s2, bool caseSensitive) {
    const std::string a = caseSensitive ? std::string(s1) : CaseFolded(s1);
    const std::string b = caseSensitive ? std::string(s2) : CaseFolded(s2);
    const int exact = a.compare(b);
    if (exact == 0) return 0;
    // Collation may call different texts equal; the byte order breaks the tie.
    const int collated = std::strcoll(a.c_str(), b.c_str());
    return collated != 0 ? collated : exact;
}

bool ContainsText(std::string_view s, std::string_view part, bool caseSensitive) {
    if (caseSensitive) return s.find(part) != std::string_view::npos;
    return ToQString(s).contains(ToQString(part), Qt::CaseInsensitive);
}

void SplitStr(std::string_view delimiter, std::string_view s, std::string& left, std::string& right,
              TkuSplitStrSide notFoundSide, TkuSplitStrSides keepDelimiter) {
    const std::size_t p = Pos(delimiter, s);
    if (p == 0) {
        left = notFoundSide == TkuSplitStrSide::LEFT ? std::string(s) : std::string();
        right = notFoundSide == TkuSplitStrSide::RIGHT ? std::string(s) : std::string();
        return;
    }
    const std::string_view before = s.substr(0, p - 1);
    const std::string_view after = s.substr(p - 1 + delimiter.size());
    left = std::string(before) + (keepDelimiter.left ? std::string(delimiter) : std::string());
    right = (keepDelimiter.right ? std::string(delimiter) : std::string()) + std::string(after);
}

}  // namespace tessaro
