#pragma once
// The statistics of several files side by side: one column per file for its first
// channel, the rows of the one-file table (a row that applies to no file of the set
// is left out, a cell that does not apply to its file is "-"), then the comparison
// summary as rows of their own.
#include <string>
#include <vector>

#include "comparison_summary.h"
#include "statistics_text.h"

namespace velmora {

// `names` (UTF-8) name the files in the same order; the summary's rows follow the
// figures, each with its text in the first cell.
StatisticsTable comparisonTable(const std::vector<ComparedFile>& files, const std::vector<std::string>& names);

} // namespace velmora
