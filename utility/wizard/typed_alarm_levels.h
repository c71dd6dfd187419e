#pragma once
// Alarm levels typed as numbers into an edit box, as the alarm page with typed levels
// takes them: the range the logger can measure, how the box shows a level, and
// whether the box can show the whole range at all, which the scaling page asks before
// it takes a scaling.
#include <string>

#include "conversions.h"

namespace velmora {

struct LoggerRecord;

namespace typed_levels {

// At most this many characters are typed into a level (the record keeps the texts
// in 8-byte slots).
inline constexpr int kLevelLength = 7;

// The levels the page takes.
ValueRange levelRange(const LoggerRecord& record);
// A level as the edit shows it.
std::string levelText(const LoggerRecord& record, double level);
// Whether every level of the range can be shown in the edits (at most kLevelLength
// characters at the edits' decimals); a scaling whose levels could not be is refused
// by the scaling page.
bool levelsFitTheEdits(const LoggerRecord& record);

enum class Place { Inside, Below, Above };

// Where a level lies against the range. A level beyond an end by more than float
// noise is outside, even when the edit would show it rounded to the end (52.8 beyond
// a top of 52.78 shown with one decimal).
Place placeOf(double level, const ValueRange& range);

// The range as the edit can show it: both ends pulled inward to a whole number of
// the edit's decimals, so that a level corrected to an end is then taken (a top of
// 52.78 shown with one decimal is 52.7, not 52.8).
ValueRange shownRange(const ValueRange& range, int decimals);

// A level as the edit shows it; a level that shows as zero shows without a sign
// (the zero end of a scaling can come out as -0).
std::string shownText(double level, int decimals);

} // namespace typed_levels

} // namespace velmora
