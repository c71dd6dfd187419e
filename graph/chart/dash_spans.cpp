#include "dash_spans.h"

#include <algorithm>
#include <cmath>

namespace velmora {

namespace {

bool whole(double v) { return std::isfinite(v) && v == std::floor(v); }

} // namespace

bool dashSpans(double from, double to, double y, double halfWidth, const std::vector<double>& pattern,
               std::vector<PixelRect>& out)
{
    if (pattern.empty() || pattern.size() % 2 != 0 || !whole(from) || !whole(to) || !whole(y - halfWidth) ||
        !whole(y + halfWidth) || halfWidth <= 0.0 || from == to)
        return false;
    for (double length : pattern)
        if (!whole(length) || length <= 0.0)
            return false;
    const double direction = to > from ? 1.0 : -1.0;
    const double length = std::abs(to - from);
    double at = 0.0; // along the line from `from`
    for (std::size_t k = 0; at < length; k = (k + 1) % pattern.size()) {
        const double end = std::min(length, at + pattern[k]);
        if (k % 2 == 0) {
            const double a = from + direction * at;
            const double b = from + direction * end;
            out.push_back({std::min(a, b), y - halfWidth, std::max(a, b), y + halfWidth});
        }
        at = end;
    }
    return true;
}

} // namespace velmora
