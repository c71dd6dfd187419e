#pragma once
// One entry of the zoom stack and the pixel geometry a zoom box works in. Plain C++.
#include <cstdint>

namespace velmora {

// The ranges shown at one zoom level. X counts seconds after the start time; 64 bits,
// because a long file at the longest interval passes 2^31 seconds.
struct ZoomLevel {
    std::int64_t xMin = 0;
    std::int64_t xMax = 0;
    double yMin = 0.0;
    double yMax = 0.0;
    double y2Min = 0.0;
    double y2Max = 0.0;

    bool operator==(const ZoomLevel&) const = default;
};

struct PixelPoint {
    int x = 0;
    int y = 0;
    bool operator==(const PixelPoint&) const = default;
};

// A rectangle of pixels whose right and bottom edges belong to it.
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool containsWithEdges(PixelPoint p) const { return p.x >= left && p.x <= right && p.y >= top && p.y <= bottom; }
    bool operator==(const PixelRect&) const = default;
};

// 10 to the power of minus `decimals`: the smallest change the values are written with.
double valueStep(int decimals);

// Outwards to a whole number of steps; a value already on a step (within rounding
// error) stays where it is.
double snapDown(double value, double step);
double snapUp(double value, double step);

} // namespace velmora
