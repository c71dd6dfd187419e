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

#include "document_statistics.h"
#include "graph_data.h"

namespace velmora {

void writeGraphJson(std::ostream& out, const GraphData& data, const DocumentStatistics& stats);

// A UTF-8 text as a JSON string, quotes included.
std::string jsonString(std::string_view utf8);

} // namespace velmora
