#include "minmax_pyramid.h"

#include <algorithm>
#include <cmath>

#include "chart_data_set.h"

namespace velmora {

bool isNoValue(double v) { return v >= ChartDataSet::kGap || !std::isfinite(v); }

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

ValueExtent MinMaxPyramid::query(std::size_t first, std::size_t last) const
{
    ValueExtent e;
    if (count_ == 0 || first >= count_ || first > last)
        return e;
    last = std::min(last, count_ - 1);

    auto raw = [&](std::size_t i) {
        if (!isNoValue(values_[i]))
            e.add(values_[i]);
    };
    // Raw values up to the first whole block on each side, then whole blocks one
    // level up, and so on: at most 2 × 15 items a level.
    std::size_t a = first;
    std::size_t b = last;
    int level = -1;
    for (;;) {
        const bool lastLevel = level + 1 >= static_cast<int>(levels_.size());
        if (lastLevel || b - a + 1 < 2 * kFanout) {
            for (std::size_t i = a; i <= b; ++i) {
                if (level < 0)
                    raw(i);
                else
                    e.add(levels_[static_cast<std::size_t>(level)][i]);
            }
            return e;
        }
        while (a % kFanout != 0) {
            if (level < 0)
                raw(a);
            else
                e.add(levels_[static_cast<std::size_t>(level)][a]);
            ++a;
        }
        while ((b + 1) % kFanout != 0) {
            if (level < 0)
                raw(b);
            else
                e.add(levels_[static_cast<std::size_t>(level)][b]);
            --b;
        }
        a /= kFanout;
        b = (b + 1) / kFanout - 1;
        ++level;
    }
}

} // namespace velmora
