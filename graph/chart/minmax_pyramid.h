#pragma once
// Minimum and maximum of any run of a series in a few dozen steps, whatever its
// length: blocks of 8 values, blocks of 8 blocks, and so on. The chart builds one per
// series when a data set is bound, so a frame costs the plot's width in queries
// instead of a pass over every reading. Blocks of 8 rather than 16: a twenty-file
// overlay queries some thirty readings a column, which blocks of 16 would still read
// one by one; the price is two bytes a reading instead of one. Gaps (1e308) and non-finite values are left
// out. Plain C++.
#include <algorithm>
#include <cstddef>
#include <limits>
#include <vector>

#include "chart_data_set.h"

namespace velmora {

struct ValueExtent {
    double min = std::numeric_limits<double>::infinity();
    double max = -std::numeric_limits<double>::infinity();

    bool empty() const { return min > max; }
    void add(double v)
    {
        if (v < min)
            min = v;
        if (v > max)
            max = v;
    }
    void add(const ValueExtent& e)
    {
        if (e.min < min)
            min = e.min;
        if (e.max > max)
            max = e.max;
    }
};

// A Y value that marks no reading (1e308, or above), or one that cannot be drawn:
// not a number or infinite. Inline: the chart asks it of every reading it scans.
inline bool isNoValue(double v) { return !(v < ChartDataSet::kGap && v > -std::numeric_limits<double>::infinity()); }

class MinMaxPyramid {
public:
    static constexpr std::size_t kFanout = 8;

    MinMaxPyramid() = default;
    // Refers to `values` (not copied): rebuild it whenever they change.
    MinMaxPyramid(const double* values, std::size_t count);

    std::size_t size() const { return count_; }
    // Every value the same and none missing: an alarm level, a straight line.
    bool flat() const { return flat_; }
    // Extent of values[first..last], both included and clamped to the series. Inline
    // (below): a long overlay asks it of every pixel column of every file, and the
    // call took a third of the time of the answer.
    ValueExtent query(std::size_t first, std::size_t last) const;

private:
    void partialBlock(std::size_t from, std::size_t to, ValueExtent& e) const;

    const double* values_ = nullptr;
    std::size_t count_ = 0;
    bool flat_ = false;
    std::vector<std::vector<ValueExtent>> levels_; // levels_[k]: blocks of 8^(k+1) values
};

// The readings [from, to) of one block of 8, read as the whole block with the others
// masked out: a fixed eight steps without a branch, where a loop over the few a
// column's end holds would guess its length wrong half the time. A block past the
// series' end is read one by one.
inline void MinMaxPyramid::partialBlock(std::size_t from, std::size_t to, ValueExtent& e) const
{
    if (from >= to)
        return;
    const std::size_t block = from / kFanout * kFanout;
    if (block + kFanout > count_) {
        for (std::size_t i = from; i < to; ++i)
            if (!isNoValue(values_[i]))
                e.add(values_[i]);
        return;
    }
    constexpr double inf = std::numeric_limits<double>::infinity();
    double lo[kFanout];
    double hi[kFanout];
    for (std::size_t k = 0; k < kFanout; ++k) {
        const double v = values_[block + k];
        const bool in = block + k >= from && block + k < to && !isNoValue(v);
        lo[k] = in ? v : inf;
        hi[k] = in ? v : -inf;
    }
    for (std::size_t k = 0; k < kFanout; ++k) {
        e.min = std::min(e.min, lo[k]);
        e.max = std::max(e.max, hi[k]);
    }
}

inline ValueExtent MinMaxPyramid::query(std::size_t first, std::size_t last) const
{
    ValueExtent e;
    if (count_ == 0 || first >= count_ || first > last)
        return e;
    last = std::min(last, count_ - 1);

    // Without a branch a reading: a missing one takes part as +inf to the minimum and
    // -inf to the maximum, which changes neither. Most of a frame's readings pass here,
    // so four readings go at a time into separate extents that do not wait on each other.
    auto raw = [&](std::size_t from, std::size_t to) { // [from, to)
        constexpr double inf = std::numeric_limits<double>::infinity();
        double lo[4] = {e.min, inf, inf, inf};
        double hi[4] = {e.max, -inf, -inf, -inf};
        auto take = [&](int k, double v) {
            const bool missing = isNoValue(v);
            lo[k] = std::min(lo[k], missing ? inf : v);
            hi[k] = std::max(hi[k], missing ? -inf : v);
        };
        std::size_t i = from;
        for (; i + 4 <= to; i += 4)
            for (int k = 0; k < 4; ++k)
                take(k, values_[i + static_cast<std::size_t>(k)]);
        for (int k = 0; i < to; ++i, ++k)
            take(k, values_[i]);
        e.min = std::min(std::min(lo[0], lo[1]), std::min(lo[2], lo[3]));
        e.max = std::max(std::max(hi[0], hi[1]), std::max(hi[2], hi[3]));
    };
    auto blocks = [&](const std::vector<ValueExtent>& level, std::size_t from, std::size_t to) {
        double lo = e.min; // an empty block is (+inf, -inf): it changes neither
        double hi = e.max;
        for (std::size_t i = from; i < to; ++i) {
            lo = std::min(lo, level[i].min);
            hi = std::max(hi, level[i].max);
        }
        e.min = lo;
        e.max = hi;
    };
    // Raw values up to the first whole block on each side, then whole blocks one
    // level up, and so on: at most 2 × 15 items a level.
    if (last - first + 1 < 2 * kFanout || levels_.empty()) {
        raw(first, last + 1);
        return e;
    }
    std::size_t a = (first + kFanout - 1) / kFanout; // whole blocks a..b of level 0
    std::size_t b = (last + 1) / kFanout;            // one past
    partialBlock(first, a * kFanout, e);
    partialBlock(b * kFanout, last + 1, e);
    --b;
    for (std::size_t level = 0;; ++level) {
        const std::vector<ValueExtent>& blocksHere = levels_[level];
        if (level + 1 >= levels_.size() || b - a + 1 < 2 * kFanout) {
            blocks(blocksHere, a, b + 1);
            return e;
        }
        const std::size_t up = (a + kFanout - 1) / kFanout;
        const std::size_t upEnd = (b + 1) / kFanout;
        blocks(blocksHere, a, up * kFanout);
        blocks(blocksHere, upEnd * kFanout, b + 1);
        a = up;
        b = upEnd - 1;
    }
}

} // namespace velmora
