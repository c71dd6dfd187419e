#include "time_stamp.h"

#include <bit>

#include "number_format.h"
#include "number_text.h"

namespace velmora {

namespace {

bool isSeparator(char c) { return c == ':' || c == '/' || c == ',' || c == ' '; }

// "%02d": the common case is a table lookup.
char* twoDigits(char* p, int v)
{
    if (v < 0 || v > 99)
        return writeZeroPadded(p, v, 2);
    return writeTwoDigits(p, static_cast<unsigned>(v));
}

} // namespace

char* writeDate(char* p, const CivilTime& t)
{
    p = twoDigits(p, t.day);
    *p++ = '/';
    p = twoDigits(p, t.month);
    *p++ = '/';
    if (t.year >= 1000 && t.year <= 9999) {
        p = twoDigits(p, t.year / 100);
        return twoDigits(p, t.year % 100);
    }
    return writeZeroPadded(p, t.year, 4);
}

void TimeStampText::set(const CivilTime& t)
{
    time_ = t;
    char* end = writeDate(date_, t);
    *end++ = ' ';
    dateLength_ = static_cast<std::size_t>(end - date_);
    setClock();
}

void TimeStampText::setClock()
{
    clockWord_ = std::endian::native == std::endian::little && time_.hour >= 0 && time_.hour <= 23 &&
                 time_.minute >= 0 && time_.minute <= 59 && time_.second >= 0 && time_.second <= 59;
    char text[kNumberBufferSize];
    char* p = twoDigits(text, time_.hour);
    *p++ = ':';
    p = twoDigits(p, time_.minute);
    *p++ = ':';
    twoDigits(p, time_.second);
    std::memcpy(&clock_, text, sizeof clock_);
}

void TimeStampText::advance(std::uint64_t seconds)
{
    if (!clockWord_ || seconds >= 86400)
        return advanceByCalendar(seconds);
    // Within the day, the clock alone moves: its fields carry into one another. A
    // table's steps are all alike, so the step's own fields are worked out once.
    if (seconds != step_.seconds) {
        const auto s = static_cast<int>(seconds);
        step_ = {seconds, s / 3600, s / 60 % 60, s % 60};
    }
    int second = time_.second + step_.second, minute = time_.minute + step_.minute, hour = time_.hour + step_.hour;
    if (second >= 60) {
        second -= 60;
        ++minute;
    }
    if (minute >= 60) {
        minute -= 60;
        ++hour;
    }
    if (hour >= 24)
        return advanceByCalendar(seconds);
    const auto pair = [](int v) {
        std::uint16_t two;
        std::memcpy(&two, detail::kDigitPairs + 2 * v, sizeof two);
        return std::uint64_t{two};
    };
    // Bytes 0-1 are the hours, 3-4 the minutes, 6-7 the seconds.
    clock_ = (clock_ & ~(std::uint64_t{0xFFFF} << 48)) | pair(second) << 48;
    if (minute != time_.minute)
        clock_ = (clock_ & ~(std::uint64_t{0xFFFF} << 24)) | pair(minute) << 24;
    if (hour != time_.hour)
        clock_ = (clock_ & ~std::uint64_t{0xFFFF}) | pair(hour);
    time_.second = second;
    time_.minute = minute;
    time_.hour = hour;
}

void TimeStampText::advanceByCalendar(std::uint64_t seconds)
{
    CivilTime t = time_;
    addSeconds(t, seconds);
    if (t.year != time_.year || t.month != time_.month || t.day != time_.day)
        set(t);
    time_ = t;
    setClock();
}

char* TimeStampText::writeOddClock(char* p) const
{
    p = twoDigits(p, time_.hour);
    *p++ = ':';
    p = twoDigits(p, time_.minute);
    *p++ = ':';
    return twoDigits(p, time_.second);
}

char* writeTimeStamp(char* p, const CivilTime& t)
{
    p = writeDate(p, t);
    *p++ = ' ';
    p = twoDigits(p, t.hour);
    *p++ = ':';
    p = twoDigits(p, t.minute);
    *p++ = ':';
    return twoDigits(p, t.second);
}

std::optional<std::int64_t> parseTimeStamp(std::string_view text)
{
    if (text.size() != 19)
        return std::nullopt;
    int numbers[6];
    std::size_t pos = 0;
    for (int n = 0; n < 6; ++n) {
        const std::size_t start = pos;
        while (pos < text.size() && !isSeparator(text[pos]))
            ++pos;
        if (pos == start)
            return std::nullopt; // two separators in a row, or one at either end
        numbers[n] = textToInt(text.substr(start, pos - start));
        if (n < 5) {
            if (pos == text.size())
                return std::nullopt; // fewer than six numbers
            ++pos;                   // exactly one separator
        }
    }
    if (pos != text.size())
        return std::nullopt; // more than six numbers
    const int day = numbers[0], month = numbers[1], year = numbers[2];
    const int hour = numbers[3], minute = numbers[4], second = numbers[5];
    if (day < 1 || day > 31 || month < 1 || month > 12 || year < 1970 || hour < 0 || hour > 23 || minute < 0 ||
        minute > 59 || second < 0 || second > 59)
        return std::nullopt;
    const int yy = year % 100;
    const int fullYear = yy >= 70 ? 1900 + yy : 2000 + yy;
    // A day past the month's end (31/02) runs on into the next month, as the
    // calendar conversion of the runtime always did.
    return daysSinceEpoch(fullYear, month, day) * 86400 + hour * 3600 + minute * 60 + second;
}

} // namespace velmora
