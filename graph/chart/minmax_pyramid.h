#pragma once
// Minimum and maximum of any run of a series in a few dozen steps, whatever its
// length: blocks of 8 values, blocks of 8 blocks, and so on. The chart builds one per
// series when a data set is bound, so a frame costs the plot's width in queries
// instead of a pass over every reading. Blocks of 8 rather than 16: a twenty-file
// overlay queries some thirty readings a column, which blocks of 16 would still read
// one by one; the price is two bytes a reading instead of one. Gaps (1e308) and non-finite values are left
// out. Plain C++.
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
    // Extent of values[first..last], both included and clamped to the series.
    ValueExtent query(std::size_t first, std::size_t last) const;

private:
    void partialBlock(std::size_t from, std::size_t to, ValueExtent& e) const;

    const double* values_ = nullptr;
    std::size_t count_ = 0;
    bool flat_ = false;
    std::vector<std::vector<ValueExtent>> levels_; // levels_[k]: blocks of 8^(k+1) values
};

} // namespace velmora
