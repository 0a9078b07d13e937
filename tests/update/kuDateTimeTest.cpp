#include "update/utils/kuDateTime.h"
#include "update/utils/kuInternetTime.h"

#include <QDate>
#include <QDateTime>
#include <QTime>
#include <QTimeZone>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

namespace tessaro {
namespace {

constexpr double kOneMillisecond = 1.0 / 86'400'000.0;
constexpr double kHour = 1.0 / 24.0;

// The date-time of a Qt date and time, counted independently of the unit under test.
TDateTime FromQt(const QDateTime& value) {
    return static_cast<double>(QDate(1899, 12, 30).daysTo(value.date())) +
           value.time().msecsSinceStartOfDay() / 86'400'000.0;
}

TDateTime LocalOfUtc(int year, int month, int day, int hours, int minutes, int seconds) {
    const QDateTime utc(QDate(year, month, day), QTime(hours, minutes, seconds), QTimeZone::utc());
    return FromQt(utc.toLocalTime());
}

TDateTime Utc(int year, int month, int day, int hours, int minutes, int seconds) {
    return FromQt(
        QDateTime(QDate(year, month, day), QTime(hours, minutes, seconds), QTimeZone::utc()));
}

std::string ZoneOfThisRun() {
    const char* tz = std::getenv("TZ");
    return tz ? tz : "";
}

TEST(EncodeDate, CountsDaysFromTheEpochOfTheDateType) {
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
    EXPECT_EQ(EncodeDate(1900, 1, 1), 2.0);
    EXPECT_EQ(EncodeDate(2000, 1, 1), 36526.0);
    EXPECT_EQ(EncodeDate(1970, 1, 1), kUnixEpochDays);
    EXPECT_EQ(EncodeDate(1994, 11, 6), Utc(1994, 11, 6, 0, 0, 0));
    EXPECT_EQ(EncodeDate(2024, 2, 29), Utc(2024, 2, 29, 0, 0, 0));
}

TEST(EncodeDate, DaysThatDoNotExistAreRefused) {
    EXPECT_FALSE(EncodeDate(2023, 2, 29));
    EXPECT_FALSE(EncodeDate(1900, 2, 29));
    EXPECT_FALSE(EncodeDate(2024, 4, 31));
    EXPECT_FALSE(EncodeDate(2024, 0, 1));
    EXPECT_FALSE(EncodeDate(2024, 13, 1));
    EXPECT_FALSE(EncodeDate(0, 1, 1));
    EXPECT_TRUE(EncodeDate(2000, 2, 29));
}

TEST(EncodeTime, GivesTheFractionOfADay) {
    EXPECT_EQ(EncodeTime(12, 0, 0), 0.5);
    EXPECT_NEAR(*EncodeTime(8, 49, 37), (8 * 3600 + 49 * 60 + 37) / 86400.0, 1e-12);
    EXPECT_FALSE(EncodeTime(24, 0, 0));
    EXPECT_FALSE(EncodeTime(0, 60, 0));
    EXPECT_FALSE(EncodeTime(0, 0, 60));
    EXPECT_FALSE(EncodeTime(-1, 0, 0));
}

TEST(GMTToLocalTime, AgreesWithTheSystemZoneDataInEverySeason) {
    for (const int month : {1, 4, 7, 10, 12}) {
        const TDateTime utc = Utc(2021, month, 15, 12, 30, 0);
        EXPECT_NEAR(GMTToLocalTime(utc), LocalOfUtc(2021, month, 15, 12, 30, 0), kOneMillisecond)
            << "month " << month << " in " << ZoneOfThisRun();
    }
}

TEST(GMTToLocalTime, UsesTheOffsetOfTheInstantNotOfToday) {
    struct Zone {
        const char* name;
        double winter;
        double summer;
    };
    const Zone zones[] = {{"UTC", 0, 0},
                          {"Asia/Tokyo", 9 * kHour, 9 * kHour},
                          {"America/New_York", -5 * kHour, -4 * kHour}};
    for (const Zone& zone : zones) {
        if (ZoneOfThisRun() != zone.name) continue;
        const TDateTime january = Utc(2022, 1, 10, 12, 0, 0);
        const TDateTime july = Utc(2022, 7, 10, 12, 0, 0);
        EXPECT_NEAR(GMTToLocalTime(january) - january, zone.winter, kOneMillisecond);
        EXPECT_NEAR(GMTToLocalTime(july) - july, zone.summer, kOneMillisecond);
        return;
    }
    GTEST_SKIP() << "no known offsets for TZ=" << ZoneOfThisRun();
}

TEST(FileTime, RoundTripKeepsTheDosResolution) {
    const TDateTime local = LocalOfUtc(2001, 9, 9, 1, 46, 41);
    FILETIME fileTime;
    ASSERT_TRUE(DateTimeToFileTime(local, fileTime));
    // 2001-09-09 01:46:40 UTC (the odd second is dropped) in 100 ns ticks since 1601.
    const std::uint64_t ticks =
        (static_cast<std::uint64_t>(fileTime.dwHighDateTime) << 32) | fileTime.dwLowDateTime;
    EXPECT_EQ(ticks, (1'000'000'000ull + 11'644'473'600ull) * 10'000'000ull);
    EXPECT_NEAR(FileTimeToDateTime(fileTime), LocalOfUtc(2001, 9, 9, 1, 46, 40), kOneMillisecond);
}

TEST(FileTime, OutsideTheDosRangeNothingConverts) {
    FILETIME fileTime{0x1234, 0x5678};
    EXPECT_FALSE(DateTimeToFileTime(*EncodeDate(1979, 6, 1), fileTime));
    EXPECT_FALSE(DateTimeToFileTime(*EncodeDate(2108, 6, 1), fileTime));
    EXPECT_FALSE(DateTimeToFileTime(std::nan(""), fileTime));
    EXPECT_EQ(fileTime.dwLowDateTime, 0x1234u);
    EXPECT_EQ(fileTime.dwHighDateTime, 0x5678u);
    EXPECT_EQ(FileTimeToDateTime(FILETIME{}), -1);
    EXPECT_EQ(FileTimeToDateTime(FILETIME{0xFFFFFFFF, 0xFFFFFFFF}), -1);
}

TEST(FileTime, TimespecConversionIsExact) {
    const timespec time{1'234'567'890, 123'456'700};
    timespec back{};
    ASSERT_TRUE(FileTimeToTimespec(TimespecToFileTime(time), back));
    EXPECT_EQ(back.tv_sec, time.tv_sec);
    EXPECT_EQ(back.tv_nsec, time.tv_nsec);
    const FILETIME before1601 = TimespecToFileTime(timespec{-11'644'473'601, 0});
    EXPECT_EQ(before1601.dwLowDateTime, 0u);
    EXPECT_EQ(before1601.dwHighDateTime, 0u);
}

TEST(InternetTimeToDateTime, TheThreeHttpFormsGiveTheSameInstant) {
    const TDateTime expected = LocalOfUtc(1994, 11, 6, 8, 49, 37);
    for (const char* date :
         {"Sun, 06 Nov 1994 08:49:37 GMT", "Sunday, 06-Nov-94 08:49:37 GMT",
          "Sun Nov 6 08:49:37 1994", "Sun Nov  6 08:49:37 1994", "  sun, 06 nov 1994 08:49:37 gmt ",
          "06 Nov 1994 08:49:37 GMT", "Sun, 06 Nov 1994 08:49:37"}) {
        EXPECT_NEAR(InternetTimeToDateTime(date), expected, kOneMillisecond) << date;
    }
}

TEST(InternetTimeToDateTime, ZoneOffsetsAreTakenBackToUtc) {
    EXPECT_NEAR(InternetTimeToDateTime("06 Nov 1994 08:49:37 +0100"),
                LocalOfUtc(1994, 11, 6, 7, 49, 37), kOneMillisecond);
    EXPECT_NEAR(InternetTimeToDateTime("Sun, 06 Nov 1994 08:49:37 -0230"),
                LocalOfUtc(1994, 11, 6, 11, 19, 37), kOneMillisecond);
    EXPECT_NEAR(InternetTimeToDateTime("Sun, 06 Nov 1994 23:30:00 -0100"),
                LocalOfUtc(1994, 11, 7, 0, 30, 0), kOneMillisecond);
    // An offset that does not parse counts as none.
    EXPECT_NEAR(InternetTimeToDateTime("Sun, 06 Nov 1994 08:49:37 +01xx"),
                LocalOfUtc(1994, 11, 6, 8, 49, 37), kOneMillisecond);
}

TEST(InternetTimeToDateTime, TwoDigitYearsPivotAtEighty) {
    struct YearCase {
        const char* date;
        int year;
    };
    for (const YearCase& c : {YearCase{"Thursday, 01-Jul-49 10:00:00 GMT", 2049},
                              YearCase{"Sunday, 01-Jul-94 10:00:00 GMT", 1994},
                              YearCase{"Tuesday, 01-Jul-80 10:00:00 GMT", 1980},
                              YearCase{"Saturday, 01-Jul-79 10:00:00 GMT", 2079},
                              YearCase{"Saturday, 01-Jul-00 10:00:00 GMT", 2000}}) {
        EXPECT_NEAR(InternetTimeToDateTime(c.date), LocalOfUtc(c.year, 7, 1, 10, 0, 0),
                    kOneMillisecond)
            << c.date;
    }
}

TEST(InternetTimeToDateTime, ADateWithoutTimeIsMidnightUtc) {
    EXPECT_NEAR(InternetTimeToDateTime("06 Nov 1994"), LocalOfUtc(1994, 11, 6, 0, 0, 0),
                kOneMillisecond);
}

TEST(InternetTimeToDateTime, EmptyOrMalformedDatesGiveZero) {
    for (const char* date :
         {"", "   ", "garbage", "Sun, 31 Feb 2020 10:00:00 GMT", "Sun, 06 Xyz 1994 08:49:37 GMT",
          "Sun, 06 Nov 1994 25:00:00 GMT", "Sun, 06 Nov 1994 08:61:00 GMT", "-",
          ":::", "Sun, 06 Nov 99999 08:49:37 GMT", "Mon"}) {
        EXPECT_EQ(InternetTimeToDateTime(date), 0.0) << "'" << date << "'";
    }
}

}  // namespace
}  // namespace tessaro
