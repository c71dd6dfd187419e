#include "zoom_session.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace velmora {

namespace {

// Quotients that miss a whole number by rounding error alone count as whole, so a
// value written with the step's decimals never snaps one step further out.
double stepsOf(double value, double step)
{
    const double q = value / step;
    const double whole = std::round(q);
    return std::abs(q - whole) <= 1e-9 * std::max(1.0, std::abs(q)) ? whole : q;
}

// The same ranges, but for rounding error in the values.
bool sameRanges(const ZoomLevel& a, const ZoomLevel& b, double step)
{
    const double e = step * 1e-6;
    return a.xMin == b.xMin && a.xMax == b.xMax && std::abs(a.yMin - b.yMin) <= e && std::abs(a.yMax - b.yMax) <= e &&
           std::abs(a.y2Min - b.y2Min) <= e && std::abs(a.y2Max - b.y2Max) <= e;
}

} // namespace

double valueStep(int decimals) { return decimals <= 0 ? 1.0 : std::pow(10.0, -decimals); }

double snapDown(double value, double step) { return std::floor(stepsOf(value, step)) * step; }

double snapUp(double value, double step) { return std::ceil(stepsOf(value, step)) * step; }

PixelPoint clampBandCorner(PixelPoint p, const PixelRect& plot)
{
    return {std::clamp(p.x, plot.left, std::max(plot.left, plot.right)),
            std::clamp(p.y, plot.top + 1, std::max(plot.top + 1, plot.bottom - 1))};
}

std::optional<ZoomLevel> completeZoomBox(ZoomLevel box, std::int64_t cornerX, double cornerY, double cornerY2,
                                         const ZoomLevel& full, std::int64_t, double step)
{
    box.xMax = cornerX;
    if (box.xMax < box.xMin)
        std::swap(box.xMin, box.xMax);
    box.xMax = std::min(box.xMax, full.xMax);
    box.xMin = std::max(box.xMin, full.xMin);

    box.yMax = cornerY;
    box.y2Max = cornerY2;
    if (box.yMin > box.yMax) {
        std::swap(box.yMin, box.yMax);
        std::swap(box.y2Min, box.y2Max);
    }
    box.yMin = snapDown(box.yMin, step);
    box.yMax = snapUp(box.yMax, step);
    box.y2Min = snapDown(box.y2Min, step);
    box.y2Max = snapUp(box.y2Max, step);

    box.yMax = std::min(box.yMax, full.yMax);
    box.yMin = std::max(box.yMin, full.yMin);
    box.y2Max = std::min(box.y2Max, full.y2Max);
    box.y2Min = std::max(box.y2Min, full.y2Min);

    if (box.xMax - box.xMin < 2)
        return std::nullopt;
    return box;
}

std::optional<ZoomLevel> zoomBoxAround(const ZoomLevel& shown, std::int64_t centre, double y, double y2,
                                       const ZoomLevel& full, std::int64_t interval, double step)
{
    const double i = static_cast<double>(interval);
    const double x = static_cast<double>(centre);
    ZoomLevel box;
    box.xMin = interval * static_cast<std::int64_t>(std::floor((x - (x - shown.xMin) / 2.0) / i));
    const std::int64_t right = interval * static_cast<std::int64_t>(std::ceil((x + (shown.xMax - x) / 2.0) / i));
    box.yMin = y - (y - shown.yMin) / 2.0;
    box.y2Min = y2 - (y2 - shown.y2Min) / 2.0;
    const std::optional<ZoomLevel> done =
        completeZoomBox(box, right, y + (shown.yMax - y) / 2.0, y2 + (shown.y2Max - y2) / 2.0, full, interval, step);
    if (done && sameRanges(*done, shown, step))
        return std::nullopt;
    return done;
}

void ZoomSession::bind(const ZoomLevel& full)
{
    stack_[0] = full;
    level_ = 0;
    band_.reset();
    maximumReached_ = false;
}

ZoomAction ZoomSession::press(PixelPoint p, const ZoomChart& chart, std::int64_t interval)
{
    ZoomAction action;
    if (skipRelease_ || maximumReached_)
        return action;
    readBackFullView(chart);
    if (atMaximum(action))
        return action;
    if (!chart.plotRect().containsWithEdges(p)) {
        action.bandChanged = band_.has_value();
        band_.reset();
        return action;
    }
    ++level_;
    band_ = Band{p, p};
    ZoomLevel& box = stack_[static_cast<std::size_t>(level_)];
    box.xMin = chart.pickX(p, interval);
    box.yMin = chart.mapY(p);
    box.y2Min = chart.mapY2(p);
    action.hideMarker = true;
    action.bandChanged = true;
    return action;
}

void ZoomSession::readBackFullView(const ZoomChart& chart)
{
    if (level_ != 0)
        return;
    const ZoomLevel shown = chart.shownRanges();
    stack_[0].yMin = shown.yMin;
    stack_[0].yMax = shown.yMax;
    stack_[0].y2Min = shown.y2Min;
    stack_[0].y2Max = shown.y2Max;
}

bool ZoomSession::atMaximum(ZoomAction& action)
{
    if (level_ + 1 != kLevels)
        return false;
    maximumReached_ = true;
    action.maximumReached = true;
    return true;
}

ZoomAction ZoomSession::zoomInAround(PixelPoint p, const ZoomChart& chart, std::int64_t interval, double step)
{
    ZoomAction action;
    if (band_ || skipRelease_ || maximumReached_ || !chart.plotRect().containsWithEdges(p))
        return action;
    readBackFullView(chart);
    if (atMaximum(action))
        return action;
    const std::optional<ZoomLevel> box = zoomBoxAround(chart.shownRanges(), chart.pickX(p, interval), chart.mapY(p),
                                                       chart.mapY2(p), stack_[0], interval, step);
    if (!box)
        return action;
    ++level_;
    stack_[static_cast<std::size_t>(level_)] = *box;
    action.hideMarker = true;
    action.applyLevel = true;
    return action;
}

ZoomAction ZoomSession::zoomToX(std::int64_t xMin, std::int64_t xMax, const ZoomChart& chart)
{
    ZoomAction action;
    if (band_ || maximumReached_)
        return action;
    readBackFullView(chart);
    const ZoomLevel& full = stack_[0];
    xMin = std::max(xMin, full.xMin);
    xMax = std::min(xMax, full.xMax);
    if (xMax - xMin < 2 || (xMin == full.xMin && xMax == full.xMax) || atMaximum(action))
        return action;
    ZoomLevel level = chart.shownRanges();
    level.xMin = xMin;
    level.xMax = xMax;
    ++level_;
    stack_[static_cast<std::size_t>(level_)] = level;
    action.hideMarker = true;
    action.applyLevel = true;
    return action;
}

ZoomAction ZoomSession::move(PixelPoint p, bool leftDown, const ZoomChart& chart)
{
    ZoomAction action;
    if (!leftDown || !band_ || skipRelease_ || maximumReached_)
        return action;
    band_->corner = clampBandCorner(p, chart.plotRect());
    action.bandChanged = true;
    return action;
}

ZoomAction ZoomSession::release(PixelPoint p, bool leftStillDown, const ZoomChart& chart, std::int64_t interval,
                                double step)
{
    ZoomAction action;
    if (leftStillDown || !band_ || skipRelease_ || maximumReached_) {
        skipRelease_ = false;
        return action;
    }
    const PixelRect plot = chart.plotRect();
    PixelPoint corner = band_->corner;
    if (p.x > plot.left && p.x < plot.right)
        corner.x = p.x;
    if (p.y > plot.top && p.y < plot.bottom)
        corner.y = p.y;
    band_.reset();
    action.bandChanged = true;

    ZoomLevel& box = stack_[static_cast<std::size_t>(level_)];
    const std::optional<ZoomLevel> done = completeZoomBox(box, chart.pickX(corner, interval), chart.mapY(corner),
                                                          chart.mapY2(corner), stack_[0], interval, step);
    if (!done) {
        --level_;
        return action;
    }
    box = *done;
    action.hideMarker = true;
    action.applyLevel = true;
    return action;
}

ZoomAction ZoomSession::zoomOut()
{
    ZoomAction action;
    if (level_ <= 0)
        return action;
    if (maximumReached_) {
        maximumReached_ = false;
        action.clearFooter = true;
    }
    --level_;
    action.applyLevel = true;
    return action;
}

ZoomAction ZoomSession::doubleClick()
{
    skipRelease_ = true;
    return zoomOut();
}

} // namespace velmora
