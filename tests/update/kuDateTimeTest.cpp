#include "update/utils/kuDateTime.h"
#include "update/utils/kuInternetTime.h"

#include <QDateTime>
#include <QTimeZone>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

namespace tessaro {
namespace {

constexpr double kOneMillisecond = 1.0 / 86'400'000.0;

// Counted with Qt's zone data, independently of the unit under test.
TDateTime FromQt(const QDateTime& value) {
    return static_cast<double>(QDate(1899, 12, 30).daysTo(value.date())) +
           value.time().msecsSinceStartOfDay() / 86'400'000.0;
}
QDateTime Utc(int y, int mo, int d, int h, int mi, int s) {
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s), QTimeZone::utc());
}
TDateTime LocalOfUtc(int y, int mo, int d, int h, int mi, int s) {
    return FromQt(Utc(y, mo, d, h, mi, s).toLocalTime());
}
std::string ZoneOfThisRun() {
    const char* tz = std::getenv("TZ");
    return tz ? tz : "";
}

TEST(EncodeDateTime, CountsFromTheEpochAndRefusesImpossibleValues) {
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
    EXPECT_EQ(EncodeDate(2024, 2, 29), FromQt(Utc(2024, 2, 29, 0, 0, 0)));
    EXPECT_EQ(EncodeTime(12, 0, 0), 0.5);
    EXPECT_FALSE(EncodeDate(2023, 2, 29) || EncodeDate(1900, 2, 29) || EncodeDate(2024, 4, 31) ||
                 EncodeDate(2024, 13, 1) || EncodeDate(0, 1, 1));
    EXPECT_FALSE(EncodeTime(24, 0, 0) || EncodeTime(0, 60, 0) || EncodeTime(-1, 0, 0));
}

TEST(GMTToLocalTime, UsesTheOffsetOfTheInstantInEverySeason) {
    for (const int month : {1, 4, 7, 10, 12})
        EXPECT_NEAR(GMTToLocalTime(FromQt(Utc(2021, month, 15, 12, 30, 0))),
                    LocalOfUtc(2021, month, 15, 12, 30, 0), kOneMillisecond)
            << "month " << month << " in " << ZoneOfThisRun();
}

TEST(FileTime, KeepsTheDosResolutionAndRefusesTheOutsideOfItsRange) {
    FILETIME fileTime;
    ASSERT_TRUE(DateTimeToFileTime(LocalOfUtc(2001, 9, 9, 1, 46, 41), fileTime));
    // 2001-09-09 01:46:40 UTC (the odd second dropped) in 100 ns ticks since 1601.
    EXPECT_EQ((std::uint64_t{fileTime.dwHighDateTime} << 32) | fileTime.dwLowDateTime,
              (1'000'000'000ull + 11'644'473'600ull) * 10'000'000ull);
    fileTime = {0x1234, 0x5678};
    for (const double outside : {*EncodeDate(1979, 6, 1), *EncodeDate(2108, 6, 1), std::nan("")})
        EXPECT_FALSE(DateTimeToFileTime(outside, fileTime));
    EXPECT_EQ(fileTime.dwLowDateTime, 0x1234u);
    timespec back{};
    ASSERT_TRUE(FileTimeToTimespec(TimespecToFileTime({1'234'567'890, 123'456'700}), back));
    EXPECT_EQ(back.tv_sec * 1'000'000'000 + back.tv_nsec, 1'234'567'890'123'456'700);
}

TEST(InternetTimeToDateTime, ReadsTheHttpFormsOffsetsAndTwoDigitYears) {
    struct Row {
        const char* text;
        QDateTime utc;
    };
    const QDateTime instant = Utc(1994, 11, 6, 8, 49, 37);
    const Row rows[] = {{"Sun, 06 Nov 1994 08:49:37 GMT", instant},
                        {"Sunday, 06-Nov-94 08:49:37 GMT", instant},
                        {"Sun Nov 6 08:49:37 1994", instant},
                        {"Sun Nov  6 08:49:37 1994", instant},
                        {"  sun, 06 nov 1994 08:49:37 gmt ", instant},
                        {"Sun, 06 Nov 1994 08:49:37", instant},
                        {"06 Nov 1994 08:49:37 +0100", Utc(1994, 11, 6, 7, 49, 37)},
                        {"Sun, 06 Nov 1994 23:30:00 -0100", Utc(1994, 11, 7, 0, 30, 0)},
                        {"Sun, 06 Nov 1994 08:49:37 -0230", Utc(1994, 11, 6, 11, 19, 37)},
                        {"Sun, 06 Nov 1994 08:49:37 +01xx", instant},  // unreadable: none
                        {"06 Nov 1994", Utc(1994, 11, 6, 0, 0, 0)},
                        {"Thursday, 01-Jul-49 10:00:00 GMT", Utc(2049, 7, 1, 10, 0, 0)},
                        {"Tuesday, 01-Jul-80 10:00:00 GMT", Utc(1980, 7, 1, 10, 0, 0)},
                        {"Saturday, 01-Jul-79 10:00:00 GMT", Utc(2079, 7, 1, 10, 0, 0)},
                        {"Saturday, 01-Jul-00 10:00:00 GMT", Utc(2000, 7, 1, 10, 0, 0)}};
    for (const Row& row : rows)
        EXPECT_NEAR(InternetTimeToDateTime(row.text), FromQt(row.utc.toLocalTime()),
                    kOneMillisecond)
            << row.text << " in " << ZoneOfThisRun();
    for (const char* bad :
         {"", "   ", "garbage", "Sun, 31 Feb 2020 10:00:00 GMT", "Sun, 06 Xyz 1994 08:49:37 GMT",
          "Sun, 06 Nov 1994 25:00:00 GMT", "-", ":::", "Sun, 06 Nov 99999 08:49:37 GMT", "Mon"})
        EXPECT_EQ(InternetTimeToDateTime(bad), 0.0) << "'" << bad << "'";
}

}  // namespace
}  // namespace tessaro
