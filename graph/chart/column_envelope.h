#pragma once
// What a long series shows in each pixel column of a plot: the lowest and highest of
// the readings that fall in it, and its first and last reading (where the line comes
// in and leaves). Worked out once a frame for every condensed series, from its
// MinMaxPyramid; the trace (series_trace.h) and the column fill (envelope_spans.h)
// are drawn from it. Plain C++.
#include <cstddef>
#include <vector>

#include "minmax_pyramid.h"
#include "series_trace.h"

namespace velmora {

struct ColumnExtent {
    long column = 0;
    ValueExtent extent; // empty when every reading in the column is missing
    double head = 0.0;  // the column's first reading (a gap marker when missing)
    double tail = 0.0;  // its last
};

// The columns that hold readings, left to right; a column without any is left out.
struct ColumnEnvelope {
    std::vector<ColumnExtent> columns;
};

// Where each column's readings end, for one mapping and one range of readings: the
// same for every file on the same time grid (loggers started together at the same
// interval), so a frame works it out once for them all.
class ColumnGrid {
public:
    bool fits(const TraceMapping& map, std::size_t first, std::size_t last) const;
    void make(const TraceMapping& map, std::size_t first, std::size_t last);

    std::size_t start() const { return start_; } // the first column's first reading
    std::size_t last() const { return last_; }
    const std::vector<std::size_t>& ends() const { return ends_; } // one past each column's last reading
    long column(std::size_t k) const { return left_ - 1 + static_cast<long>(k); }

private:
    bool made_ = false;
    double x0_ = 0.0;
    double dx_ = 0.0;
    long left_ = 0;
    long right_ = 0;
    std::size_t first_ = 0;
    std::size_t last_ = 0;
    std::size_t start_ = 0;
    std::vector<std::size_t> ends_;
};

void columnEnvelope(const double* values, const MinMaxPyramid& pyramid, const ColumnGrid& grid, ColumnEnvelope& out);

// Readings values[first..last] over the columns map.left − 1 .. map.right + 1 (the
// last column takes the rest), column c holding the readings whose x lies in [c, c + 1).
void columnEnvelope(const double* values, std::size_t first, std::size_t last, const MinMaxPyramid& pyramid,
                    const TraceMapping& map, ColumnEnvelope& out);

// The first of readings first..last whose x lies in column `column` or further right
// (last + 1 when none does).
std::size_t columnStart(const TraceMapping& map, long column, std::size_t first, std::size_t last);

// Walks the envelope as the line is drawn: `visit(column, joined, y1, y2)` for every
// column with a reading, y1 and y2 its extremes' pixel y, the one nearer its first
// reading first, so the line enters where the readings do. `joined`: the line comes
// in from the column before; it does not after a column of missing readings, nor
// when either column's reading where they meet is missing.
template <typename Visit> void walkColumns(const ColumnEnvelope& envelope, const TraceMapping& map, Visit&& visit)
{
    bool joined = false;
    for (const ColumnExtent& column : envelope.columns) {
        const ValueExtent& e = column.extent;
        if (e.empty()) {
            joined = false;
            continue;
        }
        const bool headMissing = isNoValue(column.head);
        const bool minFirst = headMissing || column.head - e.min <= e.max - column.head;
        visit(column.column, joined && !headMissing, tracePixelY(map, minFirst ? e.min : e.max),
              tracePixelY(map, minFirst ? e.max : e.min));
        joined = !isNoValue(column.tail);
    }
}

} // namespace velmora
