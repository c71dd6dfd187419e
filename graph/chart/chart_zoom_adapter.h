#pragma once
// The zoom session's view of a Chart: its plot rectangle, picking and mapping.
#include <cmath>

#include "chart.h"
#include "zoom_session.h"

namespace velmora {

class ChartZoomAdapter final : public ZoomChart {
public:
    explicit ChartZoomAdapter(const Chart& chart) : chart_(chart) {}

    PixelRect plotRect() const override
    {
        const QRect r = chart_.plotRect();
        return {r.left(), r.top(), r.right(), r.bottom()};
    }
    std::int64_t pickX(PixelPoint p, std::int64_t interval) const override
    {
        return chart_.pickX(QPoint(p.x, p.y), static_cast<double>(interval));
    }
    double mapY(PixelPoint p) const override { return chart_.map(QPoint(p.x, p.y), ValueAxis::Y).y; }
    double mapY2(PixelPoint p) const override { return chart_.map(QPoint(p.x, p.y), ValueAxis::Y2).y; }
    ZoomLevel shownRanges() const override
    {
        ZoomLevel l;
        l.xMin = std::llround(chart_.axisMinimum(Axis::X));
        l.xMax = std::llround(chart_.axisMaximum(Axis::X));
        l.yMin = chart_.axisMinimum(Axis::Y);
        l.yMax = chart_.axisMaximum(Axis::Y);
        l.y2Min = chart_.axisMinimum(Axis::Y2);
        l.y2Max = chart_.axisMaximum(Axis::Y2);
        return l;
    }

private:
    const Chart& chart_;
};

} // namespace velmora
