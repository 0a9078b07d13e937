#include "update/utils/kuAttachBoundary.h"
#include "update/utils/kuBase64.h"

#include <QByteArray>

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "TestRow.h"

namespace tessaro {
namespace {

struct Base64Case {
    std::string input;
    std::string expected;
};

void PrintTo(const Base64Case& c, std::ostream* out) {
    testing::PrintRow(c.input, out);
}

class Base64EncodeTest : public ::testing::TestWithParam<Base64Case> {};

TEST_P(Base64EncodeTest, EncodesWithPadding) {
    EXPECT_EQ(Base64Encode(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Rfc4648, Base64EncodeTest,
                         ::testing::Values(Base64Case{"", ""}, Base64Case{"a", "YQ=="},
                                           Base64Case{"ab", "YWI="}, Base64Case{"abc", "YWJj"},
                                           Base64Case{"f", "Zg=="},
                                           Base64Case{"foobar", "Zm9vYmFy"},
                                           Base64Case{"fooba", "Zm9vYmE="},
                                           Base64Case{std::string("\0\xff\xfe", 3), "AP/+"}));

// The encoded text without its line breaks, from an independent encoder.
std::string Reference(const std::string& input) {
    const QByteArray bytes(input.data(), static_cast<qsizetype>(input.size()));
    return bytes.toBase64().toStdString();
}

std::string WithoutLineBreaks(std::string text) {
    std::erase(text, '\r');
    std::erase(text, '\n');
    return text;
}

TEST(Base64Encode, BreaksLinesAfterEveryEightyCharacters) {
    const std::string sixty(60, 'x');
    const std::string encoded = Base64Encode(sixty);
    ASSERT_EQ(encoded.size(), 82u);
    EXPECT_EQ(encoded.substr(80), "\r\n");
    EXPECT_EQ(encoded.substr(0, 80), Reference(sixty));
    EXPECT_EQ(Base64Encode(std::string(57, 'x')).find('\r'), std::string::npos);
}

TEST(Base64Encode, LengthAndContentHoldForManySizes) {
    std::string input;
    for (std::size_t n = 0; n <= 400; ++n) {
        const std::string encoded = Base64Encode(input);
        const std::size_t groups = (n + 2) / 3;
        ASSERT_EQ(encoded.size(), 4 * groups + 2 * (4 * groups / 80)) << n;
        ASSERT_EQ(WithoutLineBreaks(encoded), Reference(input)) << n;
        for (std::size_t line = 80; line < encoded.size(); line += 82)
            ASSERT_EQ(encoded.substr(line, 2), "\r\n") << n;
        input += static_cast<char>(n * 37 + 11);
    }
}

TEST(GenerateAttachBoundary, HasTheFixedFrameAndNoLineBreak) {
    const std::string boundary = GenerateAttachBoundary('0');
    const std::string head = "---HTTP-DATA-BOUNDARY-0-";
    ASSERT_GT(boundary.size(), head.size() + 3);
    EXPECT_EQ(boundary.substr(0, head.size()), head);
    EXPECT_EQ(boundary.substr(boundary.size() - 3), "---");
    EXPECT_EQ(boundary.find_first_of("\r\n"), std::string::npos);
    EXPECT_EQ(GenerateAttachBoundary('Z').substr(0, head.size()), "---HTTP-DATA-BOUNDARY-Z-");
}

TEST(GenerateAttachBoundary, IsUniquePerCallEvenWithinOneMillisecond) {
    std::set<std::string> seen;
    for (int i = 0; i < 2000; ++i) EXPECT_TRUE(seen.insert(GenerateAttachBoundary('0')).second);
}

TEST(GenerateAttachBoundary, CarriesTheLocalTimeOfDay) {
    const std::string boundary = GenerateAttachBoundary('0');
    const std::string encoded = boundary.substr(24, boundary.size() - 27);
    const QByteArray stamp = QByteArray::fromBase64(QByteArray::fromStdString(encoded));
    // "hh:mm:ss.zzz " opens the stamp.
    ASSERT_GE(stamp.size(), 13);
    EXPECT_EQ(stamp[2], ':');
    EXPECT_EQ(stamp[5], ':');
    EXPECT_EQ(stamp[8], '.');
}

}  // namespace
}  // namespace tessaro
