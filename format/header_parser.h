#pragma once
// The header line of a download file: the logger name, the time column's title, then
// the column headers that declare the channels, their alarm columns and the third
// trace.
#include <string_view>

#include "graph_data.h"

namespace velmora {

enum class HeaderOutcome {
    Columns, // channels declared in `data`
    Invalid, // empty, or fewer than two fields
    Event,   // an event logger's file, which is not charted
};

// `line` is already trimmed; `data` is reset. `serialField`, when given, receives the
// place (0 = the logger name) of the "Serial Number" column, or -1 without one.
HeaderOutcome parseHeader(std::string_view line, GraphData& data, int* serialField = nullptr);

// ASCII upper-casing of single-byte text; other bytes stay as they are.
bool containsUpper(std::string_view text, std::string_view upperNeedle);

} // namespace velmora
