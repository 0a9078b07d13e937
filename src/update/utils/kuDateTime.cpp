#include "update/utils/kuDateTime.h"

#include <cmath>
#include <limits>

namespace tessaro {
namespace {

constexpr std::int64_t kTicksPerSecond = 10'000'000;
constexpr std::int64_t kSecondsFrom1601To1970 = 11'644'473'600;
constexpr int kFirstDosYear = 1980;
constexpr int kLastDosYear = 2107;

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's algorithm).
std::int64_t DaysFromCivil(std::int64_t year, unsigned month, unsigned day) {
    year -= month <= 2 ? 1 : 0;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const auto yearOfEra = static_cast<unsigned>(year - era * 400);
    const unsigned dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + static_cast<std::int64_t>(dayOfEra) - 719468;
}

struct CivilDate {
    std::int64_t year = 0;
    unsigned month = 0;
    unsigned day = 0;
};

CivilDate CivilFromDays(std::int64_t days) {
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const auto dayOfEra = static_cast<unsigned>(days - era * 146097);
    const unsigned yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const unsigned shiftedMonth = (5 * dayOfYear + 2) / 153;
    CivilDate date;
    date.day = dayOfYear - (153 * shiftedMonth + 2) / 5 + 1;
    date.month = shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9;
    date.year = static_cast<std::int64_t>(yearOfEra) + era * 400 + (date.month <= 2 ? 1 : 0);
    return date;
}

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool InDosRange(const std::tm& calendar) {
    const int year = calendar.tm_year + 1900;
    return year >= kFirstDosYear && year <= kLastDosYear;
}

// The DOS form keeps seconds in steps of two.
TDateTime DosDateTime(const std::tm& calendar) {
    const auto date = EncodeDate(calendar.tm_year + 1900, calendar.tm_mon + 1, calendar.tm_mday);
    const auto time = EncodeTime(calendar.tm_hour, calendar.tm_min, calendar.tm_sec & ~1);
    return date && time ? *date + *time : -1;
}

bool FitsTimeT(std::int64_t seconds) {
    return seconds >= std::numeric_limits<time_t>::min() &&
           seconds <= std::numeric_limits<time_t>::max();
}

}  // namespace

std::optional<TDateTime> EncodeDate(int year, int month, int day) {
    if (year < 1 || year > 9999 || month < 1 || month > 12) return std::nullopt;
    if (day < 1 || day > DaysInMonth(year, month)) return std::nullopt;
    const std::int64_t days =
        DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day));
    return static_cast<TDateTime>(days) + kUnixEpochDays;
}

std::optional<TDateTime> EncodeTime(int hours, int minutes, int seconds, int milliseconds) {
    if (hours < 0 || hours > 23 || minutes < 0 || minutes > 59 || seconds < 0 || seconds > 59 ||
        milliseconds < 0 || milliseconds > 999)
        return std::nullopt;
    const double totalMs = ((hours * 60.0 + minutes) * 60.0 + seconds) * 1000.0 + milliseconds;
    return totalMs / (kSecondsPerDay * 1000.0);
}

std::int64_t DateTimeToUnixSeconds(TDateTime value) {
    return std::llround((value - kUnixEpochDays) * kSecondsPerDay);
}

std::tm DateTimeToCalendar(TDateTime value) {
    const std::int64_t seconds = DateTimeToUnixSeconds(value);
    const std::int64_t days = seconds >= 0 ? seconds / 86400 : (seconds - 86399) / 86400;
    const std::int64_t secondOfDay = seconds - days * 86400;
    const CivilDate date = CivilFromDays(days);
    std::tm calendar{};
    calendar.tm_year = static_cast<int>(date.year - 1900);
    calendar.tm_mon = static_cast<int>(date.month) - 1;
    calendar.tm_mday = static_cast<int>(date.day);
    calendar.tm_hour = static_cast<int>(secondOfDay / 3600);
    calendar.tm_min = static_cast<int>(secondOfDay / 60 % 60);
    calendar.tm_sec = static_cast<int>(secondOfDay % 60);
    calendar.tm_isdst = -1;
    return calendar;
}

TDateTime GMTToLocalTime(TDateTime gmt) {
    const std::int64_t seconds = DateTimeToUnixSeconds(gmt);
    if (!FitsTimeT(seconds)) return gmt;
    const auto instant = static_cast<time_t>(seconds);
    std::tm local{};
    if (!localtime_r(&instant, &local)) return gmt;
    return gmt + static_cast<double>(local.tm_gmtoff) / kSecondsPerDay;
}

bool DateTimeToFileTime(TDateTime value, FILETIME& fileTime) {
    if (!std::isfinite(value) || std::fabs(value) > 3e6) return false;
    std::tm calendar = DateTimeToCalendar(value);
    if (!InDosRange(calendar)) return false;
    calendar.tm_sec &= ~1;
    const time_t instant = mktime(&calendar);
    if (instant == static_cast<time_t>(-1)) return false;
    fileTime = TimespecToFileTime(timespec{instant, 0});
    return true;
}

TDateTime FileTimeToDateTime(const FILETIME& fileTime) {
    timespec time{};
    if (!FileTimeToTimespec(fileTime, time)) return -1;
    std::tm local{};
    if (!localtime_r(&time.tv_sec, &local) || !InDosRange(local)) return -1;
    const TDateTime value = DosDateTime(local);
    return value == 0 ? -1 : value;
}

bool FileTimeToTimespec(const FILETIME& fileTime, timespec& time) {
    const std::uint64_t ticks =
        (static_cast<std::uint64_t>(fileTime.dwHighDateTime) << 32) | fileTime.dwLowDateTime;
    const auto seconds =
        static_cast<std::int64_t>(ticks / kTicksPerSecond) - kSecondsFrom1601To1970;
    if (!FitsTimeT(seconds)) return false;
    time.tv_sec = static_cast<time_t>(seconds);
    time.tv_nsec = static_cast<long>(ticks % kTicksPerSecond) * 100;
    return true;
}

FILETIME TimespecToFileTime(const timespec& time) {
    const std::int64_t seconds = static_cast<std::int64_t>(time.tv_sec) + kSecondsFrom1601To1970;
    if (seconds < 0) return {};
    const std::uint64_t ticks = static_cast<std::uint64_t>(seconds) * kTicksPerSecond +
                                static_cast<std::uint64_t>(time.tv_nsec / 100);
    return FILETIME{static_cast<std::uint32_t>(ticks), static_cast<std::uint32_t>(ticks >> 32)};
}

}  // namespace tessaro
