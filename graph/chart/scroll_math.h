#pragma once
// The arithmetic of the chart view's scroll bars. Horizontal positions are the X
// minimum in seconds; vertical positions count value steps down from the full view's
// Y maximum, and the right axis follows in proportion. Scrolling never changes the
// zoom stack. Plain C++.
#include <cstdint>
#include <optional>

#include "zoom_level.h"

namespace velmora {

// Optional bounds of a value axis: none leaves that bound for the chart to choose.
struct AxisBounds {
    std::optional<double> min;
    std::optional<double> max;
};

// The left-axis (or right-axis) bounds of a zoom entry. At level 0 the bound that
// binding forced to zero is fixed and the other one stays automatic, restoring exactly
// what binding did.
AxisBounds levelBounds(double min, double max, bool levelZero);

struct HorizontalScroll {
    std::int64_t maximum = 0;     // minimum is always 0
    std::int64_t position = 0;    // X minimum shown
    std::int64_t windowWidth = 0; // X maximum − X minimum + interval
    bool visible = false;
};

// `total` is (count − 1) × interval, the X of the last reading.
HorizontalScroll horizontalScrollFor(std::int64_t xMin, std::int64_t xMax, std::int64_t total, std::int64_t interval,
                                     bool zoomed);

struct VerticalScroll {
    int maximum = 0; // minimum is always 0
    int position = 0;
    double page = 0.0;  // Y span shown + step
    double page2 = 0.0; // Y2 span shown + step
    bool visible = false;
};

VerticalScroll verticalScrollFor(const ZoomLevel& full, double yMin, double yMax, double y2Min, double y2Max,
                                 double step, bool zoomed);

// One line: refused (position unchanged) if it would leave 0..maximum.
std::int64_t scrollByLine(std::int64_t position, std::int64_t delta, std::int64_t maximum);
// One page: kept within 0..maximum.
std::int64_t scrollByPage(std::int64_t position, std::int64_t delta, std::int64_t maximum);
// Vertical page in steps: the Y page over the step, rounded.
std::int64_t verticalPageSteps(const VerticalScroll& v, double step);

struct XRange {
    std::int64_t min = 0;
    std::int64_t max = 0;
    bool operator==(const XRange&) const = default;
};

// The X range once horizontal scrolling ends at `position`, kept within 0..total.
XRange xRangeAfterScroll(std::int64_t position, std::int64_t windowWidth, std::int64_t total, std::int64_t interval);

struct YRanges {
    double yMin = 0.0;
    double yMax = 0.0;
    double y2Min = 0.0;
    double y2Max = 0.0;
};

// The Y and Y2 ranges once vertical scrolling ends at `position` of 0..v.maximum.
YRanges yRangesAfterScroll(int position, const VerticalScroll& v, const ZoomLevel& full, double step);

} // namespace velmora
