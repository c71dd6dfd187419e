#pragma once
// The spread between files over time: at each step of the finest interval among
// them, the highest first-channel reading less the lowest, where each file's reading
// stands for its whole interval. Where fewer than two files hold a reading there is
// no spread, and the series has a gap. Only files on the left axis (the first file's
// unit) take part.
#include <cstdint>
#include <vector>

#include "chart_data_set.h"
#include "graph_data.h"
#include "time_alignment.h"

namespace velmora {

struct SpreadSeries {
    double firstX = 0;          // seconds after the alignment's time base
    double step = 0;            // seconds between values
    std::vector<double> values; // ChartDataSet::kGap where fewer than two files read
};

// More values than this and the step grows, so a fine interval over a long study
// does not take more memory than a large file.
inline constexpr std::size_t kMaxSpreadValues = 4'000'000;

SpreadSeries spreadSeries(const std::vector<const GraphData*>& files, const TimeAlignment& alignment);

} // namespace velmora
