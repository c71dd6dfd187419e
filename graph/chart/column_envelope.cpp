#include "column_envelope.h"

#include <algorithm>
#include <cmath>

namespace velmora {

std::size_t columnStart(const TraceMapping& map, long column, std::size_t first, std::size_t last)
{
    // Clamped first, then rounded up (the same, as the bounds are whole) in integers:
    // every column of every series in view asks this.
    const double i = std::clamp((static_cast<double>(column) - map.x0) / map.dx, static_cast<double>(first),
                                static_cast<double>(last) + 1.0);
    const auto truncated = static_cast<std::size_t>(i);
    return truncated + (static_cast<double>(truncated) < i ? 1 : 0);
}

bool ColumnGrid::fits(const TraceMapping& map, std::size_t first, std::size_t last) const
{
    return made_ && map.x0 == x0_ && map.dx == dx_ && map.left == left_ && map.right == right_ && first == first_ &&
           last == last_;
}

void ColumnGrid::make(const TraceMapping& map, std::size_t first, std::size_t last)
{
    made_ = true;
    x0_ = map.x0;
    dx_ = map.dx;
    left_ = map.left;
    right_ = map.right;
    first_ = first;
    last_ = last;
    const long lastColumn = map.right + 1;
    start_ = columnStart(map, map.left - 1, first, last);
    ends_.clear();
    for (long c = map.left - 1; c <= lastColumn; ++c)
        ends_.push_back(c == lastColumn ? last + 1 : columnStart(map, c + 1, first, last));
}

void columnEnvelope(const double* values, const MinMaxPyramid& pyramid, const ColumnGrid& grid, ColumnEnvelope& out)
{
    out.columns.clear();
    std::size_t start = grid.start();
    const std::vector<std::size_t>& ends = grid.ends();
    for (std::size_t k = 0; k < ends.size() && start <= grid.last(); ++k) {
        const std::size_t end = ends[k];
        if (end <= start)
            continue; // no reading falls in this column
        out.columns.push_back({grid.column(k), pyramid.query(start, end - 1), values[start], values[end - 1]});
        start = end;
    }
}

void columnEnvelope(const double* values, std::size_t first, std::size_t last, const MinMaxPyramid& pyramid,
                    const TraceMapping& map, ColumnEnvelope& out)
{
    ColumnGrid grid;
    grid.make(map, first, last);
    columnEnvelope(values, pyramid, grid, out);
}

} // namespace velmora
