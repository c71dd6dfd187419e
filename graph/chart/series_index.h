#pragma once
// Per series of one data set: the drawn length and a minimum/maximum pyramid, built
// once when the chart binds the data set and shared by copies of the chart (the
// print chart). Plain C++.
#include <vector>

#include "chart_data_set.h"
#include "minmax_pyramid.h"

namespace velmora {

class SeriesIndex {
public:
    explicit SeriesIndex(const ChartDataSet& set);

    int seriesCount() const { return static_cast<int>(series_.size()); }
    // Readings drawn: up to the last point (or all of them); 0 when none.
    std::size_t drawnCount(int s) const { return series_.at(static_cast<std::size_t>(s)).count; }
    const MinMaxPyramid& pyramid(int s) const { return series_.at(static_cast<std::size_t>(s)).pyramid; }
    // Lowest and highest value drawn, gaps left out.
    ValueExtent extent(int s) const { return series_.at(static_cast<std::size_t>(s)).extent; }

private:
    struct Series {
        std::size_t count = 0;
        MinMaxPyramid pyramid;
        ValueExtent extent;
    };
    std::vector<Series> series_;
};

} // namespace velmora
