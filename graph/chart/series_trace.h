#pragma once
// Turns one series into the polylines that draw it in a plot of a given width. When
// the readings in view outnumber twice the plot's pixel columns, each column gets two
// points, the series' lowest and highest value in it (queried from a MinMaxPyramid), so
// the work, the points and the segments follow the plot's width, not the file's length
// (about twice the width per series, which keeps antialiased drawing cheap). Otherwise
// every reading becomes a point. Gaps break the line either way. Plain C++.
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

// `values` holds `count` readings (the last one drawn included); `pyramid` covers them.
void traceSeries(const double* values, std::size_t count, const MinMaxPyramid& pyramid, const TraceMapping& map,
                 Trace& out);

} // namespace velmora
