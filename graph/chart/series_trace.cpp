#include "series_trace.h"

#include <algorithm>
#include <cmath>

namespace velmora {

namespace {

// Far outside any plot, yet small enough for integer raster arithmetic.
constexpr double kPixelLimit = 1.0e6;

double pixelY(const TraceMapping& map, double v) { return std::clamp(map.y0 + v * map.dy, -kPixelLimit, kPixelLimit); }

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
        runs.add(map.x0 + static_cast<double>(i) * map.dx, pixelY(map, v));
    }
    runs.breakRun();
}

void traceEnvelope(const double* values, std::size_t first, std::size_t last, const MinMaxPyramid& pyramid,
                   const TraceMapping& map, Trace& out)
{
    out.condensed = true;
    RunBuilder runs(out);
    // Column c holds the readings whose pixel x lies in [c, c + 1).
    auto firstIndexOf = [&](long column) {
        const double i = std::ceil((static_cast<double>(column) - map.x0) / map.dx);
        return static_cast<std::size_t>(std::clamp(i, static_cast<double>(first), static_cast<double>(last) + 1.0));
    };
    const long firstColumn = map.left - 1;
    const long lastColumn = map.right + 1;
    std::size_t start = firstIndexOf(firstColumn);
    if (pyramid.flat()) {
        // One value throughout (an alarm level): a straight line from the column of
        // the first reading in view to the last column that holds one; no column
        // needs a query of its own.
        if (start > last)
            return;
        auto columnOf = [&](std::size_t i) {
            return std::min(static_cast<long>(std::floor(map.x0 + static_cast<double>(i) * map.dx)), lastColumn);
        };
        const double y = pixelY(map, values[start]);
        runs.add(static_cast<double>(columnOf(start)), y);
        runs.add(static_cast<double>(columnOf(last)), y);
        runs.breakRun();
        return;
    }
    bool joined = false; // the previous column ended on a value the next may continue
    for (long c = firstColumn; c <= lastColumn && start <= last; ++c) {
        const std::size_t end = c == lastColumn ? last + 1 : firstIndexOf(c + 1);
        if (end <= start)
            continue; // no reading falls in this column
        const ValueExtent e = pyramid.query(start, end - 1);
        const double x = static_cast<double>(c);
        if (e.empty()) {
            runs.breakRun();
            joined = false;
            start = end;
            continue;
        }
        // Two points a column, its lowest and highest value, so the line has about
        // twice the plot's width in segments whatever the file's length. The extreme
        // nearer the column's first reading comes first: the line enters where the
        // readings do.
        const double head = values[start];
        const double tail = values[end - 1];
        if (!joined || isNoValue(head))
            runs.breakRun();
        const bool minFirst = isNoValue(head) || head - e.min <= e.max - head;
        runs.add(x, pixelY(map, minFirst ? e.min : e.max));
        runs.add(x, pixelY(map, minFirst ? e.max : e.min));
        joined = !isNoValue(tail);
        start = end;
    }
    runs.breakRun();
}

} // namespace

void traceSeries(const double* values, std::size_t count, const MinMaxPyramid& pyramid, const TraceMapping& map,
                 Trace& out)
{
    out.clear();
    if (count == 0 || !(map.dx > 0.0) || map.right < map.left)
        return;
    // The readings whose x falls within a pixel of the plot, so lines leave its edges.
    const double lo = std::floor((map.left - 1 - map.x0) / map.dx);
    const double hi = std::ceil((map.right + 1 - map.x0) / map.dx);
    const double top = static_cast<double>(count - 1);
    if (hi < 0.0 || lo > top)
        return;
    const std::size_t first = static_cast<std::size_t>(std::max(lo, 0.0));
    const std::size_t last = static_cast<std::size_t>(std::min(hi, top));
    const std::size_t columns = static_cast<std::size_t>(map.right - map.left + 1);
    if (last - first + 1 > 2 * columns)
        traceEnvelope(values, first, last, pyramid, map, out);
    else
        traceEvery(values, first, last, map, out);
}

} // namespace velmora
