#include "scroll_math.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace velmora {

AxisBounds levelBounds(double min, double max, bool levelZero)
{
    AxisBounds b{min, max};
    if (levelZero) {
        if (min == 0.0)
            b.max.reset();
        if (max == 0.0)
            b.min.reset();
    }
    return b;
}

HorizontalScroll horizontalScrollFor(std::int64_t xMin, std::int64_t xMax, std::int64_t total, std::int64_t interval,
                                     bool zoomed)
{
    HorizontalScroll h;
    h.windowWidth = xMax - xMin + interval;
    h.maximum = std::max<std::int64_t>(0, total - (xMax - xMin));
    h.position = std::clamp<std::int64_t>(xMin, 0, h.maximum);
    h.visible = zoomed && total >= h.windowWidth;
    return h;
}

VerticalScroll verticalScrollFor(const ZoomLevel& full, double yMin, double yMax, double y2Min, double y2Max,
                                 double step, bool zoomed)
{
    VerticalScroll v;
    v.page = step + (yMax - yMin);
    v.page2 = y2Max - y2Min + step;
    const double fullSpan = full.yMax - full.yMin;
    const double steps = std::floor((fullSpan - (yMax - yMin)) / step + 1e-9);
    // Clamped so that an absurd span over a tiny step cannot overflow the scroll bar.
    v.maximum = static_cast<int>(std::clamp(steps, 0.0, static_cast<double>(INT_MAX / 2)));
    const double thumb = std::round((full.yMax - yMax) / step);
    v.position = static_cast<int>(std::clamp(thumb, 0.0, static_cast<double>(v.maximum)));
    v.visible = zoomed && fullSpan >= v.page;
    return v;
}

std::int64_t scrollByLine(std::int64_t position, std::int64_t delta, std::int64_t maximum)
{
    const std::int64_t next = position + delta;
    return next < 0 || next > maximum ? position : next;
}

std::int64_t scrollByPage(std::int64_t position, std::int64_t delta, std::int64_t maximum)
{
    return std::clamp<std::int64_t>(position + delta, 0, std::max<std::int64_t>(0, maximum));
}

std::int64_t verticalPageSteps(const VerticalScroll& v, double step)
{
    return static_cast<std::int64_t>(std::llround(v.page / step));
}

XRange xRangeAfterScroll(std::int64_t position, std::int64_t windowWidth, std::int64_t total, std::int64_t interval)
{
    XRange r{position, position + windowWidth - interval};
    if (r.max > total) {
        r.max = total;
        r.min = interval + total - windowWidth;
    }
    if (r.min < 0) {
        r.min = 0;
        r.max = windowWidth - interval;
    }
    return r;
}

YRanges yRangesAfterScroll(int position, const VerticalScroll& v, const ZoomLevel& full, double step)
{
    YRanges r;
    r.yMax = full.yMax - position * step;
    r.yMin = r.yMax - (v.page - step);
    if (r.yMax > full.yMax) {
        r.yMax = full.yMax;
        r.yMin = full.yMax - v.page + step;
    }
    if (r.yMin < full.yMin) {
        r.yMin = full.yMin;
        r.yMax = full.yMin + v.page - step;
    }

    // The right axis moves in proportion to the left one's scroll position.
    const int range = v.maximum;
    const double free2 = full.y2Max - full.y2Min - v.page2;
    r.y2Max = range > 0 ? full.y2Max - free2 / range * position : full.y2Max;
    r.y2Min = r.y2Max - (v.page2 - step);
    if (r.y2Max > full.y2Max) {
        r.y2Max = full.y2Max;
        r.y2Min = full.y2Max - v.page2 + step;
    }
    if (r.y2Min < full.y2Min) {
        r.y2Min = full.y2Min;
        r.y2Max = full.y2Min + v.page2 - step;
    }
    return r;
}

} // namespace velmora
