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

} // namespace velmora
