#pragma once
// A calendar date and time without a time zone: the loggers keep local wall time and
// the download file continues the logger's clock, so nothing here knows about zones
// or daylight saving.
#include <compare>
#include <cstdint>

namespace velmora {

struct CivilTime {
    int year = 1970; // full year, e.g. 2026
    int month = 1;   // 1..12
    int day = 1;     // 1..31
    int hour = 0;    // 0..23
    int minute = 0;  // 0..59
    int second = 0;  // 0..59
    int tenths = 0;  // 0..9, used by event records only

    auto operator<=>(const CivilTime&) const = default;
};

bool isLeapYear(int year);            // Gregorian
int daysInMonth(int year, int month); // 28..31

// Adds seconds (and tenths) with ordinary calendar carries, the way the logger's
// clock runs: 60 s, 60 min, 24 h, month lengths with Gregorian leap years, 12 months.
void addSeconds(CivilTime& t, std::uint64_t seconds);
void addTenths(CivilTime& t, std::uint64_t tenths);

// Days since 1970-01-01 of the date part, for date comparisons.
std::int64_t daysSinceEpoch(int year, int month, int day);

// Seconds since 1970-01-01 00:00:00 of a civil time counted without a zone, and back.
std::int64_t secondsOf(const CivilTime& t);
CivilTime civilOfSeconds(std::int64_t seconds);

} // namespace velmora
