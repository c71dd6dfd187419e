#pragma once
// The comparison summary as lines of text (UTF-8), label and value, so that the
// viewer's statistics, the report and velmora-cli say it alike: "Hottest" —
// "hall.txt: 11.0°C at 01/06/2026 08:11:00".
#include <string>
#include <vector>

#include "comparison_summary.h"

namespace velmora {

struct SummaryLine {
    std::string label;
    std::string text;
};

// `names` (UTF-8) name the files compared, in the same order.
std::vector<SummaryLine> summaryLines(const ComparisonSummary& summary, const std::vector<ComparedFile>& files,
                                      const std::vector<std::string>& names);

} // namespace velmora
