#include "comparison_table.h"

#include <algorithm>

#include "comparison_text.h"
#include "graph_strings.h"

namespace velmora {

StatisticsTable comparisonTable(const std::vector<ComparedFile>& files, const std::vector<std::string>& names)
{
    StatisticsTable table;
    for (std::size_t f = 0; f < files.size(); ++f) {
        DocumentStatistics first = *files[f].stats;
        std::erase_if(first.series, [](const SeriesReport& s) { return s.kind != SeriesKind::FirstChannel; });
        const StatisticsTable own = statisticsTable(first, files[f].data->startTime);
        const std::string& name = f < names.size() ? names[f] : std::string();
        table.columns.push_back(own.columns.empty() ? name : name + ": " + own.columns.front());
        for (const StatisticsTable::Row& row : own.rows) {
            auto at = std::find_if(table.rows.begin(), table.rows.end(),
                                   [&](const StatisticsTable::Row& r) { return r.label == row.label; });
            if (at == table.rows.end())
                at = table.rows.insert(table.rows.end(), {row.label, {}});
            at->cells.resize(f, std::string(graphtext::kStatNotApplicable));
            at->cells.push_back(row.cells.empty() ? std::string(graphtext::kStatNotApplicable) : row.cells.front());
        }
    }
    for (StatisticsTable::Row& row : table.rows)
        row.cells.resize(files.size(), std::string(graphtext::kStatNotApplicable));
    for (const SummaryLine& line : summaryLines(compareFirstChannels(files), files, names))
        table.rows.push_back({line.label, {line.text}});
    return table;
}

} // namespace velmora
