#include "civil_time.h"

namespace velmora {

bool isLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int daysInMonth(int year, int month)
{
    switch (month) {
    case 2: return isLeapYear(year) ? 29 : 28;
    case 4:
    case 6:
    case 9:
    case 11: return 30;
    default: return 31;
    }
}

void addSeconds(CivilTime& t, std::uint64_t seconds)
{
    std::uint64_t s = static_cast<std::uint64_t>(t.second) + seconds;
    t.second = static_cast<int>(s % 60);
    std::uint64_t m = static_cast<std::uint64_t>(t.minute) + s / 60;
    t.minute = static_cast<int>(m % 60);
    std::uint64_t h = static_cast<std::uint64_t>(t.hour) + m / 60;
    t.hour = static_cast<int>(h % 24);
    std::uint64_t days = h / 24;
    // Whole days carry month by month, so each month keeps its own length.
    while (days > 0) {
        const int left = daysInMonth(t.year, t.month) - t.day; // days still in this month
        if (days <= static_cast<std::uint64_t>(left)) {
            t.day += static_cast<int>(days);
            break;
        }
        days -= static_cast<std::uint64_t>(left) + 1;
        t.day = 1;
        if (++t.month > 12) {
            t.month = 1;
            ++t.year;
        }
    }
}

void addTenths(CivilTime& t, std::uint64_t tenths)
{
    const std::uint64_t total = static_cast<std::uint64_t>(t.tenths) + tenths;
    t.tenths = static_cast<int>(total % 10);
    addSeconds(t, total / 10);
}

std::int64_t daysSinceEpoch(int year, int month, int day)
{
    // Howard Hinnant's days_from_civil.
    const int y = year - (month <= 2 ? 1 : 0);
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned mp = static_cast<unsigned>(month + (month > 2 ? -3 : 9));
    const unsigned doy = (153 * mp + 2) / 5 + static_cast<unsigned>(day) - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

CivilTime civilOfSeconds(std::int64_t wallSeconds)
{
    // Days to a Gregorian date by whole 400-year eras counted from 1 March 0000, so
    // that the leap day ends each year; no library call, no lock: a million readings
    // are written with their times.
    std::int64_t days = wallSeconds / 86400;
    std::int64_t seconds = wallSeconds % 86400;
    if (seconds < 0) {
        seconds += 86400;
        --days;
    }
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const std::int64_t dayOfEra = days - era * 146097;
    const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t shiftedMonth = (5 * dayOfYear + 2) / 153; // 0 = March
    CivilTime t;
    t.day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    t.month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    t.year = static_cast<int>(yearOfEra + era * 400 + (t.month <= 2 ? 1 : 0));
    t.hour = static_cast<int>(seconds / 3600);
    t.minute = static_cast<int>(seconds / 60 % 60);
    t.second = static_cast<int>(seconds % 60);
    return t;
}

std::int64_t secondsOf(const CivilTime& t)
{
    return daysSinceEpoch(t.year, t.month, t.day) * 86400 + t.hour * 3600 + t.minute * 60 + t.second;
}

} // namespace velmora
