// The figures velmora-cli inspect prints for a loaded document: each series' range
// and mean, and how long a channel spent beyond its alarm levels.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "graph_data.h"

namespace velmora {

struct SeriesSummary {
    std::size_t values = 0; // readings that are not gaps
    double minimum = 0;
    double maximum = 0;
    double mean = 0;
};

// Over the first `count` points of `y`, gaps left out.
SeriesSummary summarize(const std::vector<double>& y, std::size_t count);

// Readings whose value lies strictly beyond the alarm level of the same reading
// (above for a high alarm, below for a low one); readings with a gap in either are
// not counted.
std::size_t readingsAbove(const std::vector<double>& value, const std::vector<double>& level, std::size_t count);
std::size_t readingsBelow(const std::vector<double>& value, const std::vector<double>& level, std::size_t count);

} // namespace velmora
