#include "time_stamp.h"

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
