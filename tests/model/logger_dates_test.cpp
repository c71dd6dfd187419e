#include <gtest/gtest.h>

#include "logger_dates.h"

using namespace velmora;

namespace {
CivilTime date(int y, int m, int d, int hh = 0, int mm = 0, int ss = 0) { return CivilTime{y, m, d, hh, mm, ss, 0}; }
DatePeriod period(int day, int month, int year, int months)
{
    return DatePeriod{static_cast<std::uint8_t>(day), static_cast<std::uint8_t>(month),
                      static_cast<std::uint8_t>(year - 1900), static_cast<std::uint8_t>(months)};
}
} // namespace

TEST(LoggerDates, ExpiryIsStartPlusMonthsLessOneDay)
{
    struct Case {
        DatePeriod p;
        const char* expires;
    };
    const Case cases[] = {
        {period(31, 1, 2026, 1), "28/02/2026"}, // 30 February clamped
        {period(31, 1, 2024, 1), "29/02/2024"}, // leap year
        {period(1, 3, 2025, 12), "28/02/2026"}, // 1st -> 31st of the month before, clamped
        {period(1, 3, 2023, 12), "29/02/2024"},
        {period(1, 1, 2026, 12), "31/12/2026"}, // January's day before is in December
        {period(15, 6, 2026, 18), "14/12/2027"},
        {period(10, 11, 2026, 3), "09/02/2027"}, // month carried into the next year
        {period(31, 3, 2026, 1), "30/04/2026"},
        {period(1, 5, 2026, 1), "31/05/2026"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(numericDate(expiryDate(c.p)), c.expires) << int(c.p.day) << "/" << int(c.p.month);
    // Bytes that are no date still give a defined result: 1921 + 21 years, month 0 +
    // 3 months, day 0 taken as a first of the month.
    EXPECT_EQ(numericDate(expiryDate(DatePeriod{0, 0, 21, 255})), "28/02/1942");
}

TEST(LoggerDates, ExpiryCheck)
{
    const DatePeriod p = period(1, 3, 2025, 12); // expires 28/02/2026
    struct Case {
        DatePeriod p;
        CivilTime today;
        ExpiryState state;
    };
    const Case cases[] = {
        {period(1, 3, 2025, 0), date(2030, 1, 1), ExpiryState::NoDateSet},
        {DatePeriod{1, 3, 99, 12}, date(2026, 1, 1), ExpiryState::Invalid}, // before 2000
        {DatePeriod{1, 13, 125, 12}, date(2026, 1, 1), ExpiryState::Invalid},
        {DatePeriod{32, 3, 125, 12}, date(2026, 1, 1), ExpiryState::Invalid},
        {DatePeriod{1, 0, 125, 12}, date(2026, 1, 1), ExpiryState::Invalid},
        {p, date(2026, 2, 27, 23, 59, 59), ExpiryState::Valid},
        {p, date(2026, 2, 28, 23, 59, 59), ExpiryState::Valid}, // the last day still passes
        {p, date(2026, 3, 1), ExpiryState::Expired},
    };
    for (const Case& c : cases) {
        const ExpiryCheck check = checkExpiry(c.p, c.today);
        EXPECT_EQ(check.state, c.state) << int(c.p.month) << " " << c.today.day;
        EXPECT_EQ(check.passes(), c.state == ExpiryState::NoDateSet || c.state == ExpiryState::Valid);
    }
    EXPECT_EQ(checkExpiry(p, date(2026, 1, 1)).date, date(2026, 2, 28));
}

TEST(LoggerDates, FirstReadingTime)
{
    struct Case {
        const char* what;
        LoggerType type;
        int year2;
        CivilTime start;
        std::uint8_t modeFlags;
        std::uint32_t delay;
        std::uint8_t wraps;
        std::uint16_t capacity, interval, count;
        CivilTime first;
    };
    const CivilTime t0 = date(2026, 12, 7, 14, 0, 0);
    const std::uint8_t push = mode::kPushButton, over = mode::kOverwrite;
    const Case cases[] = {
        {"plain start", 1, 26, t0, 0, 0, 0, 0, 10, 5, t0},
        {"year 69 is 2069", 1, 69, t0, 0, 0, 0, 0, 10, 5, date(2069, 12, 7, 14)},
        {"year 70 is 1970", 1, 70, t0, 0, 0, 0, 0, 10, 5, date(1970, 12, 7, 14)},
        {"pressed push button adds the kept delay", 12, 26, t0, push, 90, 0, 0, 10, 5, date(2026, 12, 7, 14, 1, 30)},
        {"delay of a timed start is not added", 12, 26, t0, 0, 90, 0, 0, 10, 5, t0},
        {"no push button on type 1", 1, 26, t0, push, 90, 0, 0, 10, 5, t0},
        {"wrapped once: current position", 14, 26, t0, over, 0, 1, 100, 60, 10, date(2026, 12, 7, 14, 10)},
        // (100 - 1) * (3 - 1) * 60 + 60 * 10 = 12480 s = 3 h 28 min
        {"wrapped three times", 14, 26, t0, over, 0, 3, 100, 60, 10, date(2026, 12, 7, 17, 28)},
        {"overwrite but never wrapped", 14, 26, t0, over, 0, 0, 100, 60, 10, t0},
        {"wrapped but not in overwrite", 14, 26, t0, 0, 0, 2, 100, 60, 10, t0},
        {"push delay and roll-over", 15, 26, t0, push | over, 30, 1, 100, 1, 30, date(2026, 12, 7, 14, 1)},
        {"carry into a new year", 12, 26, date(2026, 12, 31, 23, 59, 50), push, 20, 0, 0, 10, 5,
         date(2027, 1, 1, 0, 0, 10)},
        {"carry into 29 February", 12, 28, date(2028, 2, 28, 23, 0, 0), push, 3600, 0, 0, 10, 5,
         date(2028, 2, 29, 0, 0, 0)},
    };
    for (const Case& c : cases) {
        LoggerConfig cfg;
        cfg.setType(c.type);
        cfg.setStart(c.start.year, c.start.month, c.start.day, c.start.hour, c.start.minute, c.start.second);
        cfg.setU8(cfg::kStartYear, static_cast<std::uint8_t>(c.year2));
        cfg.setModeFlags(c.modeFlags);
        cfg.setStartDelay(c.delay);
        cfg.setWrapCount(c.wraps);
        cfg.setMemoryCapacity(c.capacity);
        cfg.setSampleInterval(c.interval);
        cfg.setReadingCount(c.count);
        EXPECT_EQ(firstReadingTime(cfg), c.first) << c.what;
    }
}
