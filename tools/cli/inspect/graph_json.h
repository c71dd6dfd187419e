#pragma once
// The whole of a loaded download file as JSON (UTF-8): names, units and labels, the
// time base, and every series point, a gap as null, each number printed so that it
// reads back to the same double; then "stats", one object for each reading series;
// last, "warnings": what the user should know about a file that was read all the same
// (a last line without its line end).
#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "comparison_summary.h"
#include "document_statistics.h"
#include "graph_data.h"

namespace velmora {

// `endLine`: a line end after the document (not when it is part of a larger one).
void writeGraphJson(std::ostream& out, const GraphData& data, const DocumentStatistics& stats, bool endLine = true);

// Several files' first channels compared, as the object
// {"hottest":{"file","max","time"},"coldest":{"file","min","time"},"warmest_mean":{"file","mean"},
//  "coolest_mean":{"file","mean"},"longest_above_high":{"file","seconds"}}, each null when no
// file qualifies; "file" is the path as given (`paths`, UTF-8), "time" the reading's stamp.
void writeSummaryJson(std::ostream& out, const ComparisonSummary& summary, const std::vector<std::string>& paths);

// A UTF-8 text as a JSON string, quotes included.
std::string jsonString(std::string_view utf8);

} // namespace velmora
