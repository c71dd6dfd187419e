#include "column_envelope.h"

#include <algorithm>
#include <cmath>

namespace velmora {

std::size_t columnStart(const TraceMapping& map, long column, std::size_t first, std::size_t last)
{
    const double i = std::ceil((static_cast<double>(column) - map.x0) / map.dx);
    return static_cast<std::size_t>(std::clamp(i, static_cast<double>(first), static_cast<double>(last) + 1.0));
}

void columnEnvelope(const double* values, std::size_t first, std::size_t last, const MinMaxPyramid& pyramid,
                    const TraceMapping& map, ColumnEnvelope& out)
{
    out.columns.clear();
    auto firstIndexOf = [&](long column) { return columnStart(map, column, first, last); };
    const long lastColumn = map.right + 1;
    std::size_t start = firstIndexOf(map.left - 1);
    for (long c = map.left - 1; c <= lastColumn && start <= last; ++c) {
        const std::size_t end = c == lastColumn ? last + 1 : firstIndexOf(c + 1);
        if (end <= start)
            continue; // no reading falls in this column
        out.columns.push_back({c, pyramid.query(start, end - 1), values[start], values[end - 1]});
        start = end;
    }
}

} // namespace velmora
