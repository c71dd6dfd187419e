#pragma once
// A condensed trace (two points a pixel column, see series_trace.h) as filled
// rectangles, one a pixel column. Stroked segment by segment a twenty-file overlay
// costs twenty long antialiased polylines a frame; filled, each column is one span
// of whole pixels. The points must already lie on the device's pixel grid, so a
// vertical or horizontal stretch with square caps covers exactly its rectangle:
//  - vertical and horizontal segments become that rectangle;
//  - a step between neighbouring columns (one device pixel apart) is split at its
//    middle row, each half joining its own column's span, so the line stays joined
//    as two half-steps instead of an antialiased diagonal a pixel wide;
//  - any other segment is left to be stroked as before.
// Plain C++.
#include <cstddef>
#include <vector>

#include "series_trace.h"

namespace velmora {

struct PixelRect {
    double left = 0.0;
    double top = 0.0;
    double right = 0.0;
    double bottom = 0.0;

    bool operator==(const PixelRect&) const = default;
};

struct ColumnSpans {
    std::vector<PixelRect> rects;
    std::vector<std::size_t> strokes; // segment k runs from points[k] to points[k + 1]

    void clear()
    {
        rects.clear();
        strokes.clear();
    }
};

// Where a line's points go on the device's pixel grid, so that flat and upright
// stretches cover whole pixels: a line an even number of device pixels wide is
// centred on a pixel edge, an odd one on a pixel centre.
inline double gridOffset(int deviceWidth) { return deviceWidth % 2 == 0 ? 0.0 : 0.5; }

// `points[0..count)` in device pixels, one polyline; `halfWidth` is half the pen's
// width in device pixels.
void columnSpans(const TracePoint* points, std::size_t count, double halfWidth, ColumnSpans& out);

} // namespace velmora
