#include "column_spans.h"

#include <algorithm>
#include <cmath>

namespace velmora {

namespace {

// The rows covered so far in the column at `x`; emitted when the line moves on.
class ColumnBuilder {
public:
    ColumnBuilder(double halfWidth, std::vector<PixelRect>& rects) : half_(halfWidth), rects_(rects) {}

    void add(double x, double y0, double y1)
    {
        const double lo = std::min(y0, y1);
        const double hi = std::max(y0, y1);
        if (open_ && x == x_) {
            lo_ = std::min(lo_, lo);
            hi_ = std::max(hi_, hi);
            return;
        }
        flush();
        open_ = true;
        x_ = x;
        lo_ = lo;
        hi_ = hi;
    }
    void flush()
    {
        if (open_)
            rects_.push_back({x_ - half_, lo_ - half_, x_ + half_, hi_ + half_});
        open_ = false;
    }

private:
    double half_;
    std::vector<PixelRect>& rects_;
    bool open_ = false;
    double x_ = 0.0;
    double lo_ = 0.0;
    double hi_ = 0.0;
};

} // namespace

void columnSpans(const TracePoint* points, std::size_t count, double halfWidth, ColumnSpans& out)
{
    out.clear();
    ColumnBuilder columns(halfWidth, out.rects);
    if (count == 1)
        columns.add(points[0].x, points[0].y, points[0].y);
    for (std::size_t k = 0; k + 1 < count; ++k) {
        const TracePoint& a = points[k];
        const TracePoint& b = points[k + 1];
        if (a.x == b.x) {
            columns.add(a.x, a.y, b.y);
        } else if (a.y == b.y) {
            out.rects.push_back(
                {std::min(a.x, b.x) - halfWidth, a.y - halfWidth, std::max(a.x, b.x) + halfWidth, a.y + halfWidth});
        } else if (std::abs(b.x - a.x) <= 1.0) {
            // Rows on the grid differ by whole pixels, so the middle row is on it too.
            const double middle = a.y + std::round((b.y - a.y) / 2.0);
            columns.add(a.x, a.y, middle);
            columns.add(b.x, middle, b.y);
        } else {
            columns.flush();
            out.strokes.push_back(k);
        }
    }
    columns.flush();
}

} // namespace velmora
