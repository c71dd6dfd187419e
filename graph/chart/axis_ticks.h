#pragma once
// Where the chart's axes get their ticks, grid lines and automatic limits, and how the
// time axis labels them. Plain C++.
#include <cstdint>
#include <string>
#include <vector>

#include "minmax_pyramid.h"

namespace velmora {

// The smallest of 1, 2 and 5 times a power of ten that is at least `span / maxTicks`
// and at least `minStep` (0: no lower limit).
double niceStep(double span, int maxTicks, double minStep);

// The multiples of `step` within [min, max] (with a little tolerance at both ends).
std::vector<double> valueTicks(double min, double max, double step);

// Digits after the point needed to tell ticks `step` apart (0 for steps of 1 or more).
int decimalsForStep(double step);

struct AxisLimits {
    double min = 0.0;
    double max = 0.0;
};

// Limits the chart chooses for itself: the data's extent widened to whole steps of a
// tidy size (about eight of them), never finer than `minStep`, and a step more where
// the data lies on a limit other than zero. A flat series gets a step either side; no
// data at all gives 0..10.
AxisLimits automaticLimits(const ValueExtent& data, double minStep);

// Time ticks: seconds after the time base, on whole multiples of the step in the
// readings' own wall-clock time (seconds after 1970 without a zone).
struct TimeTicks {
    std::int64_t step = 0;         // seconds between ticks
    std::vector<double> positions; // X values of the ticks
};

// A tidy time step (1 s, 2 s, 5 s, ... 1 h, 2 h, ... 1 day, 2 days, 1 week, ...)
// that puts at most `maxTicks` ticks over [xMin, xMax]; `spacing` > 0 forces one.
TimeTicks timeTicks(std::int64_t timeBase, double xMin, double xMax, int maxTicks, double spacing = 0.0);

// Label of a time tick: "14:05:30" for steps under a minute, "14:05" under a day,
// "07/12/26" for whole days.
std::string timeTickLabel(std::int64_t time, std::int64_t step);
// "07/12/2026", the date line under the first tick and wherever the date changes.
std::string dateLabel(std::int64_t time);
// Days since 1970 of a time, to tell where the date changes.
std::int64_t dayNumber(std::int64_t time);

} // namespace velmora
