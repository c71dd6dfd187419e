#pragma once
// The texts the chart view shows in its footer: the From/To line of the range on
// screen and the pointer readout of one reading. Plain C++ so that velmora-cli and the
// tests produce exactly the texts the viewer shows.
//
// Texts come back in the file's own encoding (Windows-1252: units such as °C are the
// byte B0 followed by C); convert them at the edge that displays them.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "graph_data.h"

namespace velmora {

// Which readout values are shown; the chart view passes the traces the user left on.
struct ReadoutSeries {
    bool firstValue = true;  // first channel's value (first data set, series 0)
    bool third = true;       // third trace (first data set, series 3)
    bool secondValue = true; // second channel's value (second data set, series 0)

    // The series as the data sets declare them (what the reader switched on).
    static ReadoutSeries declared(const GraphData& data);
};

// A calendar time as the logger wrote it: `seconds` count from 1970 without any time
// zone, so they are broken down with UTC arithmetic whatever the machine's zone.
// Format " %d %B %Y %X" (leading space; month name and time in the C library's
// current LC_TIME locale), at most 79 characters. Empty if the time cannot be broken down.
std::string timeText(std::int64_t seconds);

// The calendar time of an X value (seconds after the start time); the 1e-6 keeps a
// whole X that arrives as 9.9999999 from falling to the second before.
std::int64_t timeOfX(const GraphData& data, double x);

// "From:- <time>     To:- <time>" for the X range shown, or a single space when the
// document holds no readings or a time falls before 1970-01-01 00:00:01.
std::string fromToText(const GraphData& data, double xMin, double xMax);
// The same for the whole file (X from 0 to (count - 1) × interval).
std::string fromToText(const GraphData& data);

// The last index of series `s` that is drawn and read out: its last point when set,
// else every point; -1 when it has none.
long lastShownIndex(const ChartDataSet& set, int s);

// The reading under an X value as the pointer readout finds it: the nearest whole
// multiple of the interval (X + half an interval, truncated); none when X is the
// no-value marker, the index is negative or beyond the first channel's last point.
std::optional<std::size_t> readoutIndex(const GraphData& data, double x);

// Time of reading `index` followed by " : " and its values, joined by ", ": the first
// channel with the file's own decimals and unit, the third trace with one decimal and
// the first channel's unit, the second channel with one decimal and its unit. Gaps and
// series switched off are left out. At most 127 characters of values.
std::string readoutText(const GraphData& data, std::size_t index, const ReadoutSeries& series);
std::string readoutText(const GraphData& data, std::size_t index); // declared series

// What the footer shows with the pointer at X (the no-value marker when it is
// outside the plot): the readout of the reading there, else the From/To line of the
// range shown.
std::string pointerFooterText(const GraphData& data, double x, double xMin, double xMax, const ReadoutSeries& series);

} // namespace velmora
