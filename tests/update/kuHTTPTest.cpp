#include "update/http/kuURLEncoding.h"
#include "update/utils/kuURL.h"

#include <gtest/gtest.h>

#include <string>

namespace tessaro {
namespace {

TEST(URLEncode, EscapesOnlyTheListedBytes) {
    // clang-format off
    const std::pair<std::string, std::string> rows[] = {
        {"", ""}, {"a b", "a%20b"}, {"a+b", "a%2Bb"}, {"x=1&y=2", "x=1&y=2"}, {"/?:\"", "/?:\""},
        {"#%*<>", "%23%25%2A%3C%3E"}, {{"\0\x01\x1f", 3}, "%00%01%1F"}, {"\x7f~", "\x7f~"},
        {"\x80\xff", "%80%FF"}, {"tab\tend\r\n", "tab%09end%0D%0A"}};
    // clang-format on
    for (const auto& [plain, coded] : rows) EXPECT_EQ(URLEncode(plain), coded) << coded;
    std::string scheme, host, path, userName, password, extraInfo;
    std::uint16_t port = 0;
    ASSERT_TRUE(ParseURL("127.0.0.1/info.txt?lang=de&v=1.2", scheme, host, path, userName, password,
                         extraInfo, port));
    EXPECT_EQ(URLEncode(extraInfo), "?lang=de&v=1.2");
}

}  // namespace
}  // namespace tessaro
