#include "logger_dates.h"

#include <algorithm>

#include "time_stamp.h"
#include "type_catalogue.h"

namespace velmora {

CivilTime expiryDate(const DatePeriod& period)
{
    // The bytes come from the logger unchecked, so every step below stays defined
    // for any byte values; only a valid period gives a meaningful date.
    CivilTime t;
    t.month = period.month + period.months % 12;
    t.year = 1900 + period.yearSince1900 + period.months / 12;
    while (t.month > 12) {
        t.month -= 12;
        ++t.year;
    }
    // Less one day: the first of a month becomes the 31st of the month before, which
    // the clamp below then cuts to that month's length.
    if (period.day <= 1) {
        t.day = 31;
        if (--t.month < 1) {
            t.month = 12;
            --t.year;
        }
    } else {
        t.day = period.day - 1;
    }
    t.day = std::min(t.day, daysInMonth(t.year, t.month));
    return t;
}

bool isValidPeriod(const DatePeriod& period)
{
    // Years from 2000 on; a month 0 or day 0 is no date either.
    return period.yearSince1900 > 99 && period.month >= 1 && period.month <= 12 && period.day >= 1 && period.day <= 31;
}

ExpiryCheck checkExpiry(const DatePeriod& period, const CivilTime& today)
{
    ExpiryCheck check;
    if (period.months == 0) {
        check.state = ExpiryState::NoDateSet;
        return check;
    }
    if (!isValidPeriod(period)) {
        check.state = ExpiryState::Invalid;
        return check;
    }
    check.date = expiryDate(period);
    const bool expired = daysSinceEpoch(today.year, today.month, today.day) >
                         daysSinceEpoch(check.date.year, check.date.month, check.date.day);
    check.state = expired ? ExpiryState::Expired : ExpiryState::Valid;
    return check;
}

std::string numericDate(const CivilTime& t)
{
    char buffer[64];
    return std::string(buffer, writeDate(buffer, t));
}

CivilTime firstReadingTime(const LoggerConfig& c)
{
    CivilTime t;
    t.year = c.startFullYear();
    t.month = c.startMonth();
    t.day = c.startDay();
    t.hour = c.startHour();
    t.minute = c.startMinute();
    t.second = c.startSecond();
    // A pressed push-button logger started its delay after the programming time.
    if (hasPushButton(c.type()) && c.hasMode(mode::kPushButton) && c.startDelay() >= 1)
        addSeconds(t, c.startDelay());
    // A memory that has been filled and overwritten: the oldest reading kept is the
    // one after the current position, whole fills of the memory later.
    if (c.isOverwriteMode() && c.wrapCount() >= 1) {
        const std::uint64_t capacity = c.memoryCapacity();
        const std::uint64_t interval = c.sampleInterval();
        const std::uint64_t fullFills = capacity > 0 ? (capacity - 1) * (c.wrapCount() - 1u) : 0;
        addSeconds(t, fullFills * interval);
        addSeconds(t, interval * c.readingCount());
    }
    return t;
}

} // namespace velmora
