#include "text/Zutf8_16.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace tessaro {
namespace {

using namespace std::string_literals;

const unsigned char* Bytes(const std::string& text) {
    return reinterpret_cast<const unsigned char*>(text.data());
}

int IsUtf8(const std::string& text) {
    return ZUtf8_16::IsUtf8(Bytes(text), text.size());
}

struct Utf8Case {
    const char* name;
    std::string bytes;
    int expected;
};

const std::vector<Utf8Case>& Utf8Cases() {
    static const std::vector<Utf8Case> cases = {
        {"empty", ""s, 0},
        {"plain ascii", "Hello, world.\r\n"s, 0},
        {"ascii with DEL", "abc\x7f"s, 0},
        {"two-byte sequence", "caf\xC3\xA9"s, 1},
        {"two-byte sequence then ascii", "caf\xC3\xA9 au lait"s, 1},
        {"three-byte sequence", "\xE3\x81\x82 hiragana"s, 1},
        {"C1 lead accepted", "x\xC1\x81y"s, 1},
        {"C0 lead rejected", "x\xC0\x80y"s, 0},
        {"E0 lead rejected (U+0900)", "x\xE0\xA4\x80y"s, 0},
        {"E1 lead accepted", "x\xE1\x80\x80y"s, 1},
        {"ED lead accepted", "x\xED\xA0\x80y"s, 1},
        {"EF lead accepted", "x\xEF\xBF\xBDy"s, 1},
        {"four-byte emoji rejected", "smile \xF0\x9F\x98\x80"s, 0},
        {"emoji after valid text rejected", "caf\xC3\xA9 \xF0\x9F\x98\x80 ok"s, 0},
        {"F8 lead rejected", "x\xF8\x88\x80\x80\x80"s, 0},
        {"FF lead rejected", "x\xFF"s, 0},
        {"continuation as lead", "x\x80y"s, 0},
        {"continuation BF as lead", "x\xBF"s, 0},
        {"continuation after valid sequence", "\xC3\xA9\xA9"s, 0},
        {"two-byte lead, ascii follows", "x\xC3\x41y"s, 0},
        {"two-byte lead, lead follows", "x\xC3\xC3y"s, 0},
        {"single-byte code page text", "caf\xE9 noir"s, 0},
        {"three-byte lead, second byte bad", "x\xE9\xA9\x20"s, 0},
        {"three-byte lead, first byte bad", "x\xE9\x20\xA9"s, 0},
        {"NUL only", "\0"s, 0},
        {"NUL before sequence", "a\0\xC3\xA9"s, 0},
        {"NUL after sequence", "\xC3\xA9\0"s, 0},
        {"NUL at end of long text", "caf\xC3\xA9 and more words here\0"s, 0},
        {"UTF-16LE without mark", "a\0b\0c\0"s, 0},
        {"UTF-16BE without mark", "\0a\0b\0c"s, 0},
        {"two-byte lead as last byte", "caf\xC3"s, 1},
        {"two-byte lead alone", "\xC3"s, 1},
        {"C0 as last byte escapes its check", "caf\xC0"s, 1},
        {"three-byte lead as last byte", "caf\xE9"s, 1},
        {"three-byte lead second to last", "caf\xE9x"s, 1},
        {"E0 as last byte escapes its check", "caf\xE0"s, 1},
        {"E0 second to last escapes its check", "\xE0\x41"s, 1},
        {"three-byte lead then NUL at the end", "caf\xE9\0"s, 1},
        {"three-byte lead one before cut-off", "caf\xE9xy"s, 0},
        {"valid sequence then cut-off lead", "\xC3\xA9\xE3\x81"s, 1},
        {"continuation as last byte", "caf\xA9"s, 0},
        {"F0 as last byte", "caf\xF0"s, 0},
    };
    return cases;
}

TEST(IsUtf8, FollowsTheByteRules) {
    for (const Utf8Case& c : Utf8Cases()) {
        EXPECT_EQ(IsUtf8(c.bytes), c.expected) << c.name;
    }
}

// Any ASCII run before the bytes under test must not change the answer,
// whichever word boundary the interesting bytes land on.
TEST(IsUtf8, AsciiPrefixOfAnyLengthKeepsTheAnswer) {
    for (const Utf8Case& c : Utf8Cases()) {
        for (size_t prefix = 1; prefix <= 24; ++prefix) {
            const std::string text = std::string(prefix, 'a') + c.bytes;
            EXPECT_EQ(IsUtf8(text), c.expected) << c.name << " after " << prefix << " bytes";
        }
    }
}

TEST(IsUtf8, NulAnywhereBeforeTheFirstFailureRejects) {
    const std::string text =
        "Line one\r\nLigne deux: caf\xC3\xA9 cr\xC3\xA8me \xE3\x81\x82\r\nend\r\n"s;
    ASSERT_EQ(IsUtf8(text), 1);
    for (size_t at = 0; at < text.size(); ++at) {
        if (static_cast<unsigned char>(text[at]) >= 0x80) continue;
        std::string withNul = text;
        withNul[at] = '\0';
        EXPECT_EQ(IsUtf8(withNul), 0) << "NUL at " << at;
    }
}

TEST(IsUtf8, CutOffPositionsAtTheEndOfTheBuffer) {
    struct Lead {
        unsigned char byte;
        size_t cutOffPositions;  // how many final positions end the scan without failing
    };
    for (const Lead lead : {Lead{0xC3, 1}, Lead{0xE9, 2}}) {
        for (size_t fromEnd = 1; fromEnd <= 4; ++fromEnd) {
            std::string text(20, 'z');
            text[text.size() - fromEnd] = static_cast<char>(lead.byte);
            const int expected = fromEnd <= lead.cutOffPositions ? 1 : 0;
            EXPECT_EQ(IsUtf8(text), expected)
                << std::hex << int{lead.byte} << " at " << fromEnd << " from the end";
        }
    }
}

TEST(IsUtf8, LongMostlyAsciiText) {
    std::string text;
    while (text.size() < (1u << 20)) {
        text += "00:01:02,345 --> 00:01:04,000\r\nNa\xC3\xAFve caf\xC3\xA9\r\n\r\n";
    }
    EXPECT_EQ(IsUtf8(text), 1);
    text.back() = '\xE9';
    text += "\r\n";
    EXPECT_EQ(IsUtf8(text), 0);
}

struct DetectCase {
    const char* name;
    std::string bytes;
    uint8_t expected;
};

TEST(DetectEncoding, MarksFirstThenUtf8Test) {
    const std::vector<DetectCase> cases = {
        {"empty", ""s, ZUtf8_16::ANSI},
        {"plain ascii", "1\r\n00:00:01,000 --> 00:00:02,000\r\nHello\r\n"s, ZUtf8_16::ANSI},
        {"FE FF only", "\xFE\xFF"s, ZUtf8_16::UNI16BE},
        {"FE FF then text", "\xFE\xFF\0H\0i"s, ZUtf8_16::UNI16BE},
        {"FF FE only", "\xFF\xFE"s, ZUtf8_16::UNI16LE},
        {"FF FE then text", "\xFF\xFEH\0i\0"s, ZUtf8_16::UNI16LE},
        {"FF FE 00 00", "\xFF\xFE\0\0"s, ZUtf8_16::UNI16LE},
        {"EF BB BF only", "\xEF\xBB\xBF"s, ZUtf8_16::UTF8},
        {"EF BB BF then invalid bytes", "\xEF\xBB\xBF\xFF\xFE\0"s, ZUtf8_16::UTF8},
        {"EF BB BF then code page text", "\xEF\xBB\xBF"s + "caf\xE9 noir"s, ZUtf8_16::UTF8},
        {"utf-8 without mark", "caf\xC3\xA9"s, ZUtf8_16::UTF8NOBOM},
        {"code page E9 inside text", "caf\xE9 noir"s, ZUtf8_16::ANSI},
        {"code page E9 as last byte", "caf\xE9"s, ZUtf8_16::UTF8NOBOM},
        {"U+0900", "\xE0\xA4\x80"s, ZUtf8_16::ANSI},
        {"emoji", "\xF0\x9F\x98\x80"s, ZUtf8_16::ANSI},
        {"one byte FE", "\xFE"s, ZUtf8_16::ANSI},
        {"one byte FF", "\xFF"s, ZUtf8_16::ANSI},
        {"one byte EF", "\xEF"s, ZUtf8_16::UTF8NOBOM},
        {"one byte C3", "\xC3"s, ZUtf8_16::UTF8NOBOM},
        {"one byte ascii", "a"s, ZUtf8_16::ANSI},
        {"EF BB without BF", "\xEF\xBB"s, ZUtf8_16::UTF8NOBOM},
        {"EF BB then ascii", "\xEF\xBB"s + "a"s, ZUtf8_16::ANSI},
        {"FE alone then ascii", "\xFE"s + "a"s, ZUtf8_16::ANSI},
        {"UTF-16LE without mark", "H\0i\0"s, ZUtf8_16::ANSI},
    };
    for (const DetectCase& c : cases) {
        ZUtf8_16 detector;
        EXPECT_EQ(detector.DetectEncoding(Bytes(c.bytes), c.bytes.size()), c.expected) << c.name;
        EXPECT_EQ(detector.encoding(), c.expected) << c.name;
    }
}

TEST(LoadAndDetect, StoresTheCodeOfTheWholeFile) {
    const std::vector<DetectCase> cases = {
        {"empty", ""s, ZUtf8_16::ANSI},
        {"UTF-16BE", "\xFE\xFF\0a"s, ZUtf8_16::UNI16BE},
        {"UTF-16LE", "\xFF\xFE"s + "a\0"s, ZUtf8_16::UNI16LE},
        {"UTF-8 with mark", "\xEF\xBB\xBFok"s, ZUtf8_16::UTF8},
        {"UTF-8 without mark", "ok \xC3\xA9"s, ZUtf8_16::UTF8NOBOM},
        {"code page", "caf\xE9 noir"s, ZUtf8_16::ANSI},
    };
    for (const DetectCase& c : cases) {
        ZUtf8_16 detector;
        EXPECT_EQ(detector.encoding(), ZUtf8_16::ANSI) << c.name;
        EXPECT_TRUE(detector.LoadAndDetect(c.bytes)) << c.name;
        EXPECT_EQ(detector.encoding(), c.expected) << c.name;
    }
}

TEST(LoadAndDetect, SeesBytesPastAnEmbeddedNul) {
    ZUtf8_16 detector;
    EXPECT_TRUE(detector.LoadAndDetect(std::string_view("\xFF\xFE\0\0x", 5)));
    EXPECT_EQ(detector.encoding(), ZUtf8_16::UNI16LE);
    EXPECT_TRUE(detector.LoadAndDetect(std::string_view("abc\0\xC3\xA9", 6)));
    EXPECT_EQ(detector.encoding(), ZUtf8_16::ANSI);
}

TEST(EncodingName, NamesEveryCode) {
    const std::vector<std::pair<uint8_t, std::string_view>> names = {
        {ZUtf8_16::ANSI, "ANSI"},
        {ZUtf8_16::UNI16BE, "UNI16BE"},
        {ZUtf8_16::UNI16LE, "UNI16LE"},
        {ZUtf8_16::UTF8, "UTF8"},
        {ZUtf8_16::UTF8NOBOM, "UTF8NOBOM"},
        {5, "ANSI"},
        {255, "ANSI"},
    };
    for (const auto& [code, name] : names) {
        EXPECT_EQ(ZUtf8_16::EncodingName(code), name) << int{code};
    }
}

TEST(IsSami, RecognisesOnlyTheByteExactOpening) {
    struct SamiCase {
        const char* name;
        std::string bytes;
        bool expected;
    };
    const std::vector<SamiCase> cases = {
        {"two-byte line break", "<SAMI>\r\n<HEAD>\r\n<TITLE>"s, true},
        {"exactly fourteen bytes", "<SAMI>\r\n<HEAD>"s, true},
        {"bytes 6 and 7 not examined", "<SAMI>xy<HEAD>"s, true},
        {"bytes 6 and 7 NUL", "<SAMI>\0\0<HEAD>"s, true},
        {"one-byte line break", "<SAMI>\n<HEAD>\n<TITLE>"s, false},
        {"thirteen bytes", "<SAMI>\r\n<HEAD"s, false},
        {"both tags on one line", "<SAMI><HEAD><TITLE>"s, false},
        {"lower case", "<sami>\r\n<head>\r\n"s, false},
        {"lower case head", "<SAMI>\r\n<head>\r\n"s, false},
        {"byte-order mark first", "\xEF\xBB\xBF<SAMI>\r\n<HEAD>\r\n"s, false},
        {"leading blank", " <SAMI>\r\n<HEAD>\r\n"s, false},
        {"empty", ""s, false},
        {"subrip", "1\r\n00:00:01,000 --> 00:00:02,000\r\n"s, false},
    };
    for (const SamiCase& c : cases) {
        EXPECT_EQ(ZUtf8_16::IsSami(c.bytes), c.expected) << c.name;
    }
}

}  // namespace
}  // namespace tessaro
