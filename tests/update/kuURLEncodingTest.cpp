#include "update/http/kuURLEncoding.h"
#include "update/utils/kuURL.h"

#include <gtest/gtest.h>

#include <string>

#include "TestRow.h"

namespace tessaro {
namespace {

struct CodingCase {
    std::string plain;
    std::string coded;
};

void PrintTo(const CodingCase& c, std::ostream* out) {
    testing::PrintRow(c.plain, out);
}

class URLEncodeTest : public ::testing::TestWithParam<CodingCase> {};

TEST_P(URLEncodeTest, EscapesOnlyTheListedBytes) {
    EXPECT_EQ(URLEncode(GetParam().plain), GetParam().coded);
}

INSTANTIATE_TEST_SUITE_P(
    Table, URLEncodeTest,
    ::testing::Values(CodingCase{"", ""}, CodingCase{"a b", "a%20b"}, CodingCase{"a+b", "a%2Bb"},
                      CodingCase{"x=1&y=2", "x=1&y=2"}, CodingCase{"/?:\"", "/?:\""},
                      CodingCase{"#%*<>", "%23%25%2A%3C%3E"},
                      CodingCase{std::string("\0\x01\x1f", 3), "%00%01%1F"},
                      CodingCase{"\x7f~", "\x7f~"}, CodingCase{"\x80\xff", "%80%FF"},
                      CodingCase{"\xC3\xBC", "%C3%BC"},
                      CodingCase{"tab\tend\r\n", "tab%09end%0D%0A"}));

struct DecodeCase {
    std::string coded;
    std::string plain;
};

void PrintTo(const DecodeCase& c, std::ostream* out) {
    testing::PrintRow(c.coded, out);
}

class URLDecodeTest : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(URLDecodeTest, DecodesAndDropsMalformedEscapes) {
    EXPECT_EQ(URLDecode(GetParam().coded), GetParam().plain) << GetParam().coded;
}

INSTANTIATE_TEST_SUITE_P(Table, URLDecodeTest,
                         ::testing::Values(DecodeCase{"", ""}, DecodeCase{"a+b", "a b"},
                                           DecodeCase{"%41", "A"}, DecodeCase{"%2B", "+"},
                                           DecodeCase{"%2b%2F", "+/"}, DecodeCase{"x%zzy", "xy"},
                                           DecodeCase{"x%4gy", "xy"}, DecodeCase{"100%", "100"},
                                           DecodeCase{"a%00b", "ab"}, DecodeCase{"x%4", "x\x04"},
                                           DecodeCase{"%%41", "1"}, DecodeCase{"%+41", "1"},
                                           DecodeCase{"%C3%BC", "\xC3\xBC"},
                                           DecodeCase{"plain/text?x=1", "plain/text?x=1"}));

TEST(URLCoding, EveryNonZeroByteSurvivesARoundTrip) {
    std::string all;
    for (int byte = 1; byte < 256; ++byte) all += static_cast<char>(byte);
    const std::string encoded = URLEncode(all);
    EXPECT_EQ(URLDecode(encoded), all);
    EXPECT_EQ(encoded.find_first_of(" #*+<>"), std::string::npos);
}

TEST(ParseURL, AlsoServesTheTransferComponent) {
    std::string scheme, host, path, userName, password, extraInfo;
    std::uint16_t port = 0;
    ASSERT_TRUE(ParseURL("127.0.0.1:8080/update/info.txt?lang=de&v=1.2", scheme, host, path,
                         userName, password, extraInfo, port));
    EXPECT_EQ(scheme, "http");
    EXPECT_EQ(host, "127.0.0.1");
    EXPECT_EQ(port, 8080);
    EXPECT_EQ(path, "/update/info.txt");
    EXPECT_EQ(URLEncode(extraInfo), "?lang=de&v=1.2");
}

}  // namespace
}  // namespace tessaro
