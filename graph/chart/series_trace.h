#pragma once
// Turns one series into the polylines that draw it in a plot of a given width. When
// the readings in view outnumber twice the plot's pixel columns, each column gets two
// points, the series' lowest and highest value in it (queried from a MinMaxPyramid), so
// the work, the points and the segments follow the plot's width, not the file's length
// (about twice the width per series, which keeps antialiased drawing cheap). Otherwise
// every reading becomes a point. Gaps break the line either way. Plain C++.
#include <algorithm>
#include <cstddef>
#include <vector>

#include "minmax_pyramid.h"

namespace velmora {

struct TracePoint {
    double x = 0.0;
    double y = 0.0;
};

// Pixel x = x0 + index × dx; pixel y = y0 + value × dy. Columns left..right are drawn.
struct TraceMapping {
    double x0 = 0.0;
    double dx = 1.0;
    double y0 = 0.0;
    double dy = -1.0;
    int left = 0;
    int right = 0;
};

// Far outside any plot, yet small enough for integer raster arithmetic.
constexpr double kTracePixelLimit = 1.0e6;

// The pixel y of a value, kept within kTracePixelLimit.
inline double tracePixelY(const TraceMapping& map, double v)
{
    return std::min(std::max(map.y0 + v * map.dy, -kTracePixelLimit), kTracePixelLimit);
}

struct Trace {
    std::vector<TracePoint> points;
    std::vector<std::size_t> runEnds; // each polyline ends before runEnds[k]; a run of one point is a dot
    bool condensed = false;           // drawn from the column envelope: every x a whole column

    void clear()
    {
        points.clear();
        runEnds.clear();
        condensed = false;
    }
    std::size_t runCount() const { return runEnds.size(); }
};

// The readings a series of `count` readings draws: those whose x falls within a pixel
// of the plot, so lines leave its edges; condensed when they outnumber twice the
// plot's columns. False when none does.
struct TraceView {
    std::size_t first = 0;
    std::size_t last = 0;
    bool condensed = false;
};
bool traceView(std::size_t count, const TraceMapping& map, TraceView& view);

// `values` holds `count` readings (the last one drawn included); `pyramid` covers them.
void traceSeries(const double* values, std::size_t count, const MinMaxPyramid& pyramid, const TraceMapping& map,
                 Trace& out);

} // namespace velmora
