#include "text/Zutf8_16.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tessaro {
namespace {

using namespace std::string_literals;

int IsUtf8(const std::string& text) {
    return ZUtf8_16::IsUtf8(reinterpret_cast<const unsigned char*>(text.data()), text.size());
}

// Every case also runs after ASCII prefixes of 0 to 24 bytes, so that the bytes under test
// land on each position of the 8-byte words the scan reads.
TEST(IsUtf8, FollowsTheByteRulesAtEveryWordPosition) {
    // clang-format off
    const std::pair<std::string, int> cases[] = {
        {""s, 0}, {"Hello\r\n\x7f"s, 0}, {"caf\xC3\xA9 au lait"s, 1}, {"\xE3\x81\x82 hi"s, 1},
        // C1 and E1..EF leads are taken; C0, E0 and four-byte leads never.
        {"x\xC1\x81y"s, 1}, {"x\xC0\x80y"s, 0}, {"x\xE0\xA4\x80y"s, 0}, {"x\xE1\x80\x80y"s, 1},
        {"x\xED\xA0\x80y"s, 1}, {"x\xEF\xBF\xBDy"s, 1}, {"caf\xC3\xA9 \xF0\x9F\x98\x80 ok"s, 0},
        {"x\xF8\x88\x80\x80\x80"s, 0}, {"x\xFF"s, 0}, {"x\x80y"s, 0}, {"\xC3\xA9\xA9"s, 0},
        {"x\xC3\x41y"s, 0}, {"x\xC3\xC3y"s, 0}, {"caf\xE9 noir"s, 0}, {"x\xE9\xA9\x20"s, 0},
        {"x\xE9\x20\xA9"s, 0},
        // Any NUL rejects, so UTF-16 without a mark is no UTF-8.
        {"\0"s, 0}, {"a\0\xC3\xA9"s, 0}, {"\xC3\xA9\0"s, 0}, {"a\0b\0c\0"s, 0}, {"\0a\0b\0c"s, 0},
        // A lead too close to the end to hold its sequence ends the scan unchecked.
        {"caf\xC3"s, 1}, {"\xC3"s, 1}, {"ab\xC3z"s, 0}, {"caf\xC0"s, 1}, {"caf\xE9"s, 1},
        {"caf\xE9x"s, 1}, {"caf\xE0"s, 1}, {"\xE0\x41"s, 1}, {"caf\xE9\0"s, 1}, {"caf\xE9xy"s, 0},
        {"\xC3\xA9\xE3\x81"s, 1}, {"caf\xA9"s, 0}, {"caf\xF0"s, 0},
    };
    // clang-format on
    for (const auto& [bytes, expected] : cases) {
        for (size_t prefix = 0; prefix <= 24; ++prefix) {
            EXPECT_EQ(IsUtf8(std::string(prefix, 'a') + bytes), expected)
                << ::testing::PrintToString(bytes) << " after " << prefix << " bytes";
        }
    }
}

TEST(IsUtf8, NulAnywhereBeforeTheFirstFailureRejects) {
    const std::string text = "Line one\r\nLigne deux: caf\xC3\xA9 cr\xC3\xA8me \xE3\x81\x82\r\n"s;
    ASSERT_EQ(IsUtf8(text), 1);
    for (size_t at = 0; at < text.size(); ++at) {
        if (static_cast<unsigned char>(text[at]) >= 0x80) continue;
        std::string withNul = text;
        withNul[at] = '\0';
        EXPECT_EQ(IsUtf8(withNul), 0) << "NUL at " << at;
    }
}

TEST(IsUtf8, ScansALongTextToItsEnd) {
    std::string text;
    while (text.size() < (1u << 20)) text += "00:01:02,345 --> 00:01:04,000\r\nNa\xC3\xAFve\r\n";
    EXPECT_EQ(IsUtf8(text), 1);
    EXPECT_EQ(IsUtf8(text + "\xE9\r\n"), 0);
}

TEST(DetectEncoding, MarksFirstThenTheUtf8TestAndNamesTheResult) {
    // clang-format off
    const std::pair<std::string, uint8_t> cases[] = {
        {""s, ZUtf8_16::ANSI}, {"1\r\n00:00:01,000\r\nHi\r\n"s, ZUtf8_16::ANSI},
        {"\xFE\xFF"s, ZUtf8_16::UNI16BE}, {"\xFE\xFF\0H\0i"s, ZUtf8_16::UNI16BE},
        {"\xFF\xFE"s, ZUtf8_16::UNI16LE}, {"\xFF\xFE\0\0x"s, ZUtf8_16::UNI16LE},
        {"\xEF\xBB\xBF"s, ZUtf8_16::UTF8}, {"\xEF\xBB\xBF\xFF\xFE\0"s, ZUtf8_16::UTF8},
        {"caf\xC3\xA9"s, ZUtf8_16::UTF8NOBOM}, {"caf\xE9 noir"s, ZUtf8_16::ANSI},
        {"caf\xE9"s, ZUtf8_16::UTF8NOBOM}, {"\xE0\xA4\x80"s, ZUtf8_16::ANSI},
        {"\xF0\x9F\x98\x80"s, ZUtf8_16::ANSI}, {"\xFE"s, ZUtf8_16::ANSI}, {"\xFF"s, ZUtf8_16::ANSI},
        {"\xEF"s, ZUtf8_16::UTF8NOBOM}, {"\xEF\xBB"s, ZUtf8_16::UTF8NOBOM},
        {"\xEF\xBB" "a"s, ZUtf8_16::ANSI}, {"\xFE" "a"s, ZUtf8_16::ANSI},
        {"H\0i\0"s, ZUtf8_16::ANSI}, {"abc\0\xC3\xA9"s, ZUtf8_16::ANSI},
    };
    // clang-format on
    for (const auto& [text, expected] : cases) {
        ZUtf8_16 detector;
        EXPECT_TRUE(detector.LoadAndDetect(text));
        EXPECT_EQ(detector.encoding(), expected) << ::testing::PrintToString(text);
    }
    // The name is what a subtitle's row shows as its codec.
    const char* names[] = {"ANSI", "UNI16BE", "UNI16LE", "UTF8", "UTF8NOBOM"};
    for (uint8_t code = 0; code < 5; ++code)
        EXPECT_STREQ(ZUtf8_16::EncodingName(code), names[code]);
}

TEST(IsSami, RecognisesOnlyTheByteExactOpening) {
    for (const std::string& sami : {"<SAMI>\r\n<HEAD>\r\n<TITLE>"s, "<SAMI>\r\n<HEAD>"s,
                                    "<SAMI>xy<HEAD>"s, "<SAMI>\0\0<HEAD>"s})
        EXPECT_TRUE(ZUtf8_16::IsSami(sami)) << sami;
    for (const std::string& other :
         {"<SAMI>\n<HEAD>\n<TITLE>"s, "<SAMI>\r\n<HEAD"s, "<SAMI><HEAD><TITLE>"s,
          "<sami>\r\n<head>\r\n"s, "<SAMI>\r\n<head>\r\n"s, "\xEF\xBB\xBF<SAMI>\r\n<HEAD>\r\n"s,
          " <SAMI>\r\n<HEAD>\r\n"s, ""s, "1\r\n00:00:01,000 --> 00:00:02,000\r\n"s})
        EXPECT_FALSE(ZUtf8_16::IsSami(other)) << other;
}

}  // namespace
}  // namespace tessaro
