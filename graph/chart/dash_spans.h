#pragma once
// A dashed level line (an alarm level) as filled pixel rectangles. Stroked, each of
// its dashes costs the painter a dash pattern walk and an antialiased outline, and a
// twenty-file overlay has forty such lines. When the line lies on the device's pixel
// grid and every dash and gap is a whole number of device pixels, its dashes cover
// whole pixels exactly, and filling them is the same picture. Plain C++.
#include <vector>

#include "column_spans.h"

namespace velmora {

// The line runs from device x `from` to `to` (either way round: its dash pattern
// starts at `from`) along device row centre `y`; `halfWidth` is half the pen's width
// and `pattern` the dash and gap lengths, a dash first, all in device pixels. Flat
// caps. False, with `out` unchanged, when the dashes would not cover whole pixels.
bool dashSpans(double from, double to, double y, double halfWidth, const std::vector<double>& pattern,
               std::vector<PixelRect>& out);

} // namespace velmora
