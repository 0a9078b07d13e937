#pragma once

#include <cstdint>
#include <ctime>
#include <optional>

namespace tessaro {

// Days since 1899-12-30 with the time of day as the fraction.
using TDateTime = double;

inline constexpr TDateTime kUnixEpochDays = 25569.0;  // 1970-01-01
inline constexpr double kSecondsPerDay = 86400.0;

// 100-nanosecond ticks since 1601-01-01 UTC, split into two halves.
struct FILETIME {
    std::uint32_t dwLowDateTime = 0;
    std::uint32_t dwHighDateTime = 0;
};

// The date part; nullopt for a day that does not exist (month 13, 31 April, year 0).
std::optional<TDateTime> EncodeDate(int year, int month, int day);
// The fraction of a day; nullopt when a part is out of range.
std::optional<TDateTime> EncodeTime(int hours, int minutes, int seconds, int milliseconds = 0);

// Whole seconds since 1970-01-01 (rounded to the nearest second).
std::int64_t DateTimeToUnixSeconds(TDateTime value);

// Broken-down calendar fields of a date-time, read without any time zone.
std::tm DateTimeToCalendar(TDateTime value);

// A UTC date-time in local time, with the zone offset in force at that instant
// (the system's zone data, so a summer date gets the summer offset).
TDateTime GMTToLocalTime(TDateTime gmt);

// Local date-time to UTC file time with the 2-second resolution of the DOS form.
// A date-time outside the DOS range (1980 to 2107) leaves `fileTime` as it was and
// gives false.
bool DateTimeToFileTime(TDateTime value, FILETIME& fileTime);
// UTC file time to a local date-time in the DOS form; -1 when the time lies
// outside the DOS range or does not convert.
TDateTime FileTimeToDateTime(const FILETIME& fileTime);

// Exact conversions between file times and the system's timespec; false when
// the file time lies beyond what a timespec holds.
bool FileTimeToTimespec(const FILETIME& fileTime, timespec& time);
// Times before 1601 give the zero file time.
FILETIME TimespecToFileTime(const timespec& time);

}  // namespace tessaro
