#include "minmax_pyramid.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "chart_data_set.h"

namespace velmora {

MinMaxPyramid::MinMaxPyramid(const double* values, std::size_t count) : values_(values), count_(count)
{
    // Level 0 summarises the raw values, each further level the one below.
    std::vector<ValueExtent> level((count + kFanout - 1) / kFanout);
    std::size_t missing = 0;
    for (std::size_t i = 0; i < count; ++i) {
        if (!isNoValue(values[i]))
            level[i / kFanout].add(values[i]);
        else
            ++missing;
    }
    while (level.size() > 1) {
        std::vector<ValueExtent> up((level.size() + kFanout - 1) / kFanout);
        for (std::size_t i = 0; i < level.size(); ++i)
            up[i / kFanout].add(level[i]);
        levels_.push_back(std::move(level));
        level = std::move(up);
    }
    flat_ = count > 0 && missing == 0 && level.front().min == level.front().max;
    levels_.push_back(std::move(level));
}

// The readings [from, to) of one block of 8, read as the whole block with the others
// masked out: a fixed eight steps without a branch, where a loop over the few a
// column's end holds would guess its length wrong half the time. A block past the
// series' end is read one by one.
void MinMaxPyramid::partialBlock(std::size_t from, std::size_t to, ValueExtent& e) const
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

ValueExtent MinMaxPyramid::query(std::size_t first, std::size_t last) const
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
