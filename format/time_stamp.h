#pragma once
// The time stamp of a reading line, "25/12/2010 13:05:00": written "%d/%m/%Y
// %H:%M:%S" (two-digit day and month, four-digit year, 24-hour clock). Read back, it
// must be exactly 19 characters, day, month, year, hour, minute and second, each pair
// of numbers separated by one character out of ":/, ". Only the year's last two
// digits count once the year has passed its check (70-99 are 1970-1999, 00-69 are
// 2000-2069).
#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>

#include "civil_time.h"

namespace velmora {

// "%02d/%02d/%04d" of the date: the service dates, and the first half of a stamp.
char* writeDate(char* out, const CivilTime& t);
// "%d/%m/%Y %H:%M:%S"; the tenths are not written.
char* writeTimeStamp(char* out, const CivilTime& t);

// A time that moves on by whole seconds and writes its stamp quickly: the date's text
// is kept and made again only when the day changes. One per reading table.
class TimeStampText {
public:
    explicit TimeStampText(const CivilTime& t) { set(t); }

    void set(const CivilTime& t);
    // Adds seconds with the calendar's carries (addSeconds).
    void advance(std::uint64_t seconds);

    const CivilTime& time() const { return time_; }
    // Writes the stamp at `out` (room for kRoom bytes) and returns its end.
    char* write(char* out) const
    {
        // Both parts copied whole: a few moves.
        std::memcpy(out, date_, sizeof date_);
        if (!clockWord_) [[unlikely]]
            return writeOddClock(out + dateLength_);
        std::memcpy(out + dateLength_, &clock_, sizeof clock_);
        return out + dateLength_ + sizeof clock_;
    }
    static constexpr std::size_t kRoom = 48; // beyond any year's stamp

private:
    void setClock(); // clock_ from the time of day
    void advanceByCalendar(std::uint64_t seconds);
    char* writeOddClock(char* out) const; // a clock out of range, field by field

    CivilTime time_;
    char date_[32] = {}; // "dd/mm/yyyy "
    std::size_t dateLength_ = 0;
    // "HH:MM:SS" as eight bytes in memory order, rewritten and stored whole: a copy of
    // text just stored two bytes at a time would have to wait for those stores.
    std::uint64_t clock_ = 0;
    bool clockWord_ = false; // clock_ holds the clock: it is in range, on a little-endian machine
    struct Step {
        std::uint64_t seconds = 0;
        int hour = 0, minute = 0, second = 0;
    } step_; // the last step, as hours, minutes and seconds
};

// Seconds after 1 January 1970 00:00:00, counted without any time zone: the stamps
// are the logger's own wall-clock times. Empty when any rule is broken.
std::optional<std::int64_t> parseTimeStamp(std::string_view text);

} // namespace velmora
