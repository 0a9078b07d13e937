#include "update/utils/kuAttachBoundary.h"
#include "update/utils/kuBase64.h"
#include "update/utils/kuCommandLine.h"
#include "update/utils/kuNumeric.h"
#include "update/utils/kuText.h"
#include "update/utils/kuVersion.h"

#include <QByteArray>

#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <set>
#include <string>
#include <tuple>

namespace tessaro {
namespace {

TEST(TextParts, CutAtTheFirstOrLastDelimiter) {
    struct Row {
        const char *delim, *text, *parts;  // LeftPart|RightPart|LeftPartR|RightPartR
    };
    for (const Row& r : {Row{"=", "a=b=c", "a|b=c|a=b|c"}, Row{"::", "x::y::z", "x|y::z|x::y|z"},
                         Row{"=", "plain", "|||"}, Row{"", "a=b", "|||"}, Row{"=", "=", "|||"}})
        EXPECT_EQ(LeftPart(r.delim, r.text) + "|" + RightPart(r.delim, r.text) + "|" +
                      LeftPartR(r.delim, r.text) + "|" + RightPartR(r.delim, r.text),
                  r.parts)
            << r.text;
    EXPECT_EQ(MiddlePart("[", "]", "x[first]y[second]"), "first");
    EXPECT_EQ(MiddlePart("<", ">", "a<tag"), "tag");
    struct Split {
        const char* s;
        TkuSplitStrSide notFound;
        TkuSplitStrSides keep;
        const char* parts;
    };
    for (const Split& r : {Split{"prog -a -b", TkuSplitStrSide::LEFT, {}, "prog|a -b"},
                           Split{"prog -a", TkuSplitStrSide::LEFT, {true, false}, "prog -|a"},
                           Split{"prog -a", TkuSplitStrSide::LEFT, {false, true}, "prog| -a"},
                           Split{"prog", TkuSplitStrSide::RIGHT, {true, true}, "|prog"}}) {
        std::string left = "stale", right = "stale";
        SplitStr(" -", r.s, left, right, r.notFound, r.keep);
        EXPECT_EQ(left + "|" + right, r.parts) << r.s;
    }
}

TEST(TextHelpers, PositionsLeadingCharactersTrimCompareAndParse) {
    EXPECT_EQ(PosR("bc", "abcabc"), 5u);
    EXPECT_EQ(PosRM("/\\", "C:\\dir/sub\\file"), 11u);
    EXPECT_EQ(PosRM("xyz", "abc"), 0u);
    EXPECT_EQ(PosCase("WORLD", "hello world", false), 0u);
    EXPECT_EQ(PosCase("Ü", "aäöü", true), 6u);  // byte positions behind multi-byte characters
    EXPECT_EQ(IncludeLeadingChar("/abc", '/') + IncludeLeadingChar("", '/'), "/abc/");
    EXPECT_EQ(ExcludeLeadingBackslash("\\\\Software\\Key"), "Software\\Key");
    EXPECT_EQ(Trim(" \t a b \r\n"), "a b");
    EXPECT_NE(CaseAnsiCompareText("Apple", "apple", true), 0);
    EXPECT_LT(CaseAnsiCompareText("apple", "Banana", false), 0);
    EXPECT_EQ(CaseAnsiCompareText("ÄRGER", "ärger", false), 0);
    EXPECT_EQ(ParseDecimal("-7"), -7);
    for (const char* bad : {"", "+", "4x", " 4", "1.5", "+-1", "99999999999", "0x10"})
        EXPECT_FALSE(ParseDecimal(bad).has_value()) << bad;
}

TEST(SplitFilenameAndParams, SplitsProgramFromArgumentsAndSurvivesOddText) {
    const std::tuple<const char*, const char*, const char*> rows[] = {
        {"\"C:\\Program Files\\Viewer\\viewer.exe\" -nohome \"%1\"",
         "C:\\Program Files\\Viewer\\viewer.exe", "-nohome %1"},
        {"C:\\Tools\\edit.exe /n %1", "C:\\Tools\\edit.exe", "/n %1"},
        // The " -" split would leave the program without its extension.
        {"C:\\My -Tools\\edit.exe", "C:\\My -Tools\\edit.exe", ""},
        {"  C:\\Tools\\edit.exe \"%1\" /x ", "C:\\Tools\\edit.exe", "%1 /x"},
        {"C:\\Tools\\lib.exe,entry", "C:\\Tools\\lib.exe", "entry"},
        {"C:\\Tools\\host.exe plugin.dll,Start", "C:\\Tools\\host.exe plugin.dll", "Start"},
        {"C:\\WINDOWS\\rundll32.exe shell32.dll,Control_RunDLL", "C:\\WINDOWS\\rundll32.exe",
         "shell32.dll,Control_RunDLL"},
        {"/opt/My App/viewer %F", "/opt/My App/viewer", "%F"},
        {"", "", "kept"},
        {"   ", "", "kept"}};
    for (const auto& [command, program, params] : rows) {
        std::string fileName = command, arguments = "kept";
        SplitFilenameAndParams(fileName, arguments);
        EXPECT_EQ(fileName + "|" + arguments, std::string(program) + "|" + params) << command;
    }
    for (const char* command : {"\"", "\"\"", "a\"", "\"a", "x \"", "\" -x"}) {
        std::string fileName = command, arguments;
        SplitFilenameAndParams(fileName, arguments);
        EXPECT_EQ(fileName.find('"'), std::string::npos) << command;
    }
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

TEST(Base64Encode, PadsAndBreaksLinesAfterEightyCharacters) {
    const std::pair<std::string, std::string> rows[] = {
        {"", ""}, {"a", "YQ=="}, {"ab", "YWI="}, {"abc", "YWJj"}, {{"\0\xff\xfe", 3}, "AP/+"}};
    for (const auto& [input, expected] : rows) EXPECT_EQ(Base64Encode(input), expected) << input;
    // Checked against Qt's encoder for every size up to several lines.
    std::string input;
    for (std::size_t n = 0; n <= 200; ++n, input += static_cast<char>(n * 37 + 11)) {
        std::string encoded = Base64Encode(input);
        for (std::size_t line = 80; line < encoded.size(); line += 80) {
            ASSERT_EQ(encoded.substr(line, 2), "\r\n") << n;
            encoded.erase(line, 2);
        }
        ASSERT_EQ(encoded, QByteArray::fromStdString(input).toBase64().toStdString()) << n;
    }
    EXPECT_EQ(Base64Encode(std::string(60, 'x')).size(), 82u);
    EXPECT_EQ(Base64Encode(std::string(57, 'x')).find('\r'), std::string::npos);
}

TEST(GenerateAttachBoundary, HasTheFixedFrameATimeStampAndIsUniquePerCall) {
    const std::string boundary = GenerateAttachBoundary('Z');
    EXPECT_EQ(boundary.substr(0, 24) + boundary.substr(boundary.size() - 3),
              "---HTTP-DATA-BOUNDARY-Z----");
    EXPECT_EQ(boundary.find_first_of("\r\n"), std::string::npos);
    const QByteArray stamp = QByteArray::fromBase64(
        QByteArray::fromStdString(boundary.substr(24, boundary.size() - 27)));
    ASSERT_GE(stamp.size(), 13);  // "hh:mm:ss.zzz "
    EXPECT_EQ(stamp[2], ':');
    EXPECT_EQ(stamp[8], '.');
    std::set<std::string> seen;
    for (int i = 0; i < 2000; ++i) EXPECT_TRUE(seen.insert(GenerateAttachBoundary('0')).second);
}

TEST(Numeric, PercentsRoundOrAreZeroForFailedArithmeticAndRecordsStayInside) {
    EXPECT_EQ(PercentsOf(2, 3), 67);
    EXPECT_EQ(PercentsOf(300, 100), 255);
    EXPECT_EQ(PercentsOf(std::numeric_limits<long double>::quiet_NaN(), 10) + PercentsOf(-5, 10) +
                  PercentsOf(std::numeric_limits<long double>::infinity(), 10) + PercentsOf(5, 0),
              0);
    EXPECT_EQ(Int2x32ToInt64(0xFFFFFFFFu, 0xFFFFFFFFu), -1);
    std::array<unsigned char, 16> record;
    record.fill(0xAB);
    InitMSRecord(record.data(), 12);
    EXPECT_EQ(record[0] + record[1] + record[2] + record[3], 12);  // the size, little-endian
    for (std::size_t i = 4; i < 16; ++i) EXPECT_EQ(record[i], i < 12 ? 0 : 0xAB) << i;
    record.fill(0xAB);
    InitMSRecord(record.data(), 2);
    InitMSRecord(record.data(), -4);
    InitMSRecord(nullptr, 8);
    EXPECT_EQ(record[1] + record[2], 0xAB);
}

}  // namespace
}  // namespace tessaro
