#include "series_trace.h"

#include <algorithm>
#include <cmath>

#include "column_envelope.h"

namespace velmora {

namespace {

class RunBuilder {
public:
    explicit RunBuilder(Trace& out) : out_(out) {}
    // A point that repeats the last one, or makes the last one the middle of a straight
    // vertical or horizontal stretch, adds nothing to the picture: it is merged.
    void add(double x, double y)
    {
        std::vector<TracePoint>& pts = out_.points;
        const std::size_t runStart = out_.runEnds.empty() ? 0 : out_.runEnds.back();
        const std::size_t n = pts.size() - runStart;
        if (n >= 1 && pts.back().x == x && pts.back().y == y)
            return;
        if (n >= 2) {
            const TracePoint& a = pts[pts.size() - 2];
            const TracePoint& b = pts.back();
            const bool vertical = a.x == b.x && b.x == x && (b.y - a.y) * (y - b.y) >= 0.0;
            const bool horizontal = a.y == b.y && b.y == y && (b.x - a.x) * (x - b.x) >= 0.0;
            if (vertical || horizontal) {
                pts.back() = {x, y};
                return;
            }
        }
        pts.push_back({x, y});
    }
    void breakRun()
    {
        const std::size_t end = out_.points.size();
        if (end > (out_.runEnds.empty() ? 0 : out_.runEnds.back()))
            out_.runEnds.push_back(end);
    }

private:
    Trace& out_;
};

void traceEvery(const double* values, std::size_t first, std::size_t last, const TraceMapping& map, Trace& out)
{
    RunBuilder runs(out);
    for (std::size_t i = first; i <= last; ++i) {
        const double v = values[i];
        if (isNoValue(v)) {
            runs.breakRun();
            continue;
        }
        runs.add(map.x0 + static_cast<double>(i) * map.dx, tracePixelY(map, v));
    }
    runs.breakRun();
}

void traceEnvelope(const double* values, std::size_t first, std::size_t last, const MinMaxPyramid& pyramid,
                   const TraceMapping& map, Trace& out)
{
    out.condensed = true;
    RunBuilder runs(out);
    if (pyramid.flat()) {
        // One value throughout (an alarm level): a straight line from the column of
        // the first reading in view to the last column that holds one; no column
        // needs a query of its own.
        const long lastColumn = map.right + 1;
        const std::size_t start = columnStart(map, map.left - 1, first, last);
        if (start > last)
            return;
        auto columnOf = [&](std::size_t i) {
            return std::min(static_cast<long>(std::floor(map.x0 + static_cast<double>(i) * map.dx)), lastColumn);
        };
        const double y = tracePixelY(map, values[start]);
        runs.add(static_cast<double>(columnOf(start)), y);
        runs.add(static_cast<double>(columnOf(last)), y);
        runs.breakRun();
        return;
    }
    ColumnEnvelope envelope;
    columnEnvelope(values, first, last, pyramid, map, envelope);
    walkColumns(envelope, map, [&](long column, bool joined, double y1, double y2) {
        // Two points a column, its lowest and highest value, so the line has about
        // twice the plot's width in segments whatever the file's length.
        if (!joined)
            runs.breakRun();
        runs.add(static_cast<double>(column), y1);
        runs.add(static_cast<double>(column), y2);
    });
    runs.breakRun();
}

} // namespace

bool traceView(std::size_t count, const TraceMapping& map, TraceView& view)
{
    if (count == 0 || !(map.dx > 0.0) || map.right < map.left)
        return false;
    // The readings whose x falls within a pixel of the plot, so lines leave its edges.
    const double lo = std::floor((map.left - 1 - map.x0) / map.dx);
    const double hi = std::ceil((map.right + 1 - map.x0) / map.dx);
    const double top = static_cast<double>(count - 1);
    if (hi < 0.0 || lo > top)
        return false;
    view.first = static_cast<std::size_t>(std::max(lo, 0.0));
    view.last = static_cast<std::size_t>(std::min(hi, top));
    const std::size_t columns = static_cast<std::size_t>(map.right - map.left + 1);
    view.condensed = view.last - view.first + 1 > 2 * columns;
    return true;
}

void traceSeries(const double* values, std::size_t count, const MinMaxPyramid& pyramid, const TraceMapping& map,
                 Trace& out)
{
    out.clear();
    TraceView view;
    if (!traceView(count, map, view))
        return;
    if (view.condensed)
        traceEnvelope(values, view.first, view.last, pyramid, map, out);
    else
        traceEvery(values, view.first, view.last, map, out);
}

} // namespace velmora
