#pragma once
// The time stamp of a reading line, "25/12/2010 13:05:00": written "%d/%m/%Y
// %H:%M:%S" (two-digit day and month, four-digit year, 24-hour clock). Read back, it
// must be exactly 19 characters, day, month, year, hour, minute and second, each pair
// of numbers separated by one character out of ":/, ". Only the year's last two
// digits count once the year has passed its check (70-99 are 1970-1999, 00-69 are
// 2000-2069).
#include <cstdint>
#include <optional>
#include <string_view>

#include "civil_time.h"

namespace velmora {

// "%02d/%02d/%04d" of the date: the service dates, and the first half of a stamp.
char* writeDate(char* out, const CivilTime& t);
// "%d/%m/%Y %H:%M:%S"; the tenths are not written.
char* writeTimeStamp(char* out, const CivilTime& t);

// Seconds after 1 January 1970 00:00:00, counted without any time zone: the stamps
// are the logger's own wall-clock times. Empty when any rule is broken.
std::optional<std::int64_t> parseTimeStamp(std::string_view text);

} // namespace velmora
