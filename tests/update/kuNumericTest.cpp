#include "update/utils/kuNumeric.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <limits>

namespace tessaro {
namespace {

TEST(PercentsOf, RoundsToTheNearestPercent) {
    EXPECT_EQ(PercentsOf(1, 3), 33);
    EXPECT_EQ(PercentsOf(2, 3), 67);
    EXPECT_EQ(PercentsOf(50, 100), 50);
    EXPECT_EQ(PercentsOf(100, 100), 100);
    EXPECT_EQ(PercentsOf(0, 7), 0);
    EXPECT_EQ(PercentsOf(4294967295.0L, 4294967296.0L), 100);
}

TEST(PercentsOf, FailedArithmeticGivesZeroAndLargeValuesStayInRange) {
    EXPECT_EQ(PercentsOf(5, 0), 0);
    EXPECT_EQ(PercentsOf(std::numeric_limits<long double>::quiet_NaN(), 10), 0);
    EXPECT_EQ(PercentsOf(std::numeric_limits<long double>::infinity(), 10), 0);
    EXPECT_EQ(PercentsOf(-5, 10), 0);
    EXPECT_EQ(PercentsOf(150, 100), 150);
    EXPECT_EQ(PercentsOf(300, 100), 255);
}

TEST(Int2x32ToInt64, CombinesHalves) {
    EXPECT_EQ(Int2x32ToInt64(0, 0), 0);
    EXPECT_EQ(Int2x32ToInt64(1, 2), (std::int64_t{1} << 32) + 2);
    EXPECT_EQ(Int2x32ToInt64(0, 0xFFFFFFFFu), 0xFFFFFFFFll);
    EXPECT_EQ(Int2x32ToInt64(0xFFFFFFFFu, 0xFFFFFFFFu), -1);
}

TEST(InitMSRecord, ZeroFillsAndStoresTheSize) {
    std::array<unsigned char, 16> record;
    record.fill(0xAB);
    InitMSRecord(record.data(), 12);
    std::int32_t size = 0;
    std::memcpy(&size, record.data(), sizeof size);
    EXPECT_EQ(size, 12);
    for (std::size_t i = 4; i < 12; ++i) EXPECT_EQ(record[i], 0) << i;
    for (std::size_t i = 12; i < 16; ++i) EXPECT_EQ(record[i], 0xAB) << i;
}

TEST(InitMSRecord, TinyOrNegativeSizesStayInsideTheRecord) {
    std::array<unsigned char, 4> record;
    record.fill(0xAB);
    InitMSRecord(record.data(), 2);
    EXPECT_EQ(record[0], 0);
    EXPECT_EQ(record[1], 0);
    EXPECT_EQ(record[2], 0xAB);
    InitMSRecord(record.data(), -4);
    EXPECT_EQ(record[2], 0xAB);
    InitMSRecord(nullptr, 8);
}

}  // namespace
}  // namespace tessaro
