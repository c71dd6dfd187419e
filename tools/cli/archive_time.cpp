#include "archive_time.h"

#include <cstdio>
#include <limits>

#include "time_stamp.h"
#include "time_zone.h"

namespace velmora {

namespace {

bool digits(const std::string& s, std::size_t at, std::size_t count, int& value)
{
    if (at + count > s.size())
        return false;
    value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (s[i] < '0' || s[i] > '9')
            return false;
        value = value * 10 + (s[i] - '0');
    }
    return true;
}

// "YYYY-MM-DDTHH:MM:SS" then "Z", "+HH:MM", "-HH:MM", "+HHMM" or "-HHMM".
std::optional<std::int64_t> parseIso(const std::string& s)
{
    CivilTime t;
    if (s.size() < 20 || !digits(s, 0, 4, t.year) || s[4] != '-' || !digits(s, 5, 2, t.month) || s[7] != '-' ||
        !digits(s, 8, 2, t.day) || (s[10] != 'T' && s[10] != ' ') || !digits(s, 11, 2, t.hour) || s[13] != ':' ||
        !digits(s, 14, 2, t.minute) || s[16] != ':' || !digits(s, 17, 2, t.second))
        return std::nullopt;
    if (t.month < 1 || t.month > 12 || t.day < 1 || t.day > daysInMonth(t.year, t.month) || t.hour > 23 ||
        t.minute > 59 || t.second > 59)
        return std::nullopt;
    const std::string zone = s.substr(19);
    int offset = 0;
    if (zone != "Z") {
        int hours = 0, minutes = 0;
        const bool colon = zone.size() == 6 && zone[3] == ':';
        if ((zone.size() != 5 && !colon) || (zone[0] != '+' && zone[0] != '-') || !digits(zone, 1, 2, hours) ||
            !digits(zone, colon ? 4 : 3, 2, minutes) || hours > 23 || minutes > 59)
            return std::nullopt;
        offset = (zone[0] == '-' ? -1 : 1) * (hours * 3600 + minutes * 60);
    }
    return secondsOf(t) - offset;
}

} // namespace

std::string isoUtc(std::int64_t utc)
{
    const CivilTime t = civilOfSeconds(utc);
    if (t.year < 0 || t.year > 9999) {
        char text[64];
        std::snprintf(text, sizeof text, "%d-%02d-%02dT%02d:%02d:%02dZ", t.year, t.month, t.day, t.hour, t.minute,
                      t.second);
        return text;
    }
    // "YYYY-MM-DDTHH:MM:SSZ" digit by digit: one for every reading read back.
    std::string text = "0000-00-00T00:00:00Z";
    auto two = [&](std::size_t at, int v) {
        text[at] = static_cast<char>('0' + v / 10);
        text[at + 1] = static_cast<char>('0' + v % 10);
    };
    two(0, t.year / 100);
    two(2, t.year % 100);
    two(5, t.month);
    two(8, t.day);
    two(11, t.hour);
    two(14, t.minute);
    two(17, t.second);
    return text;
}

std::optional<std::int64_t> parseArchiveTime(const std::string& text, const std::string& zone)
{
    if (const std::optional<std::int64_t> wall = parseTimeStamp(text))
        return instantOfLocal(*wall, zone, std::numeric_limits<std::int64_t>::max());
    return parseIso(text);
}

} // namespace velmora
