#include "export_plan.h"

#include <algorithm>

#include "download_columns.h"
#include "field_cursor.h"
#include "graph_strings.h"
#include "placeholders.h"

namespace velmora {

namespace {

std::string_view trimmed(std::string_view text)
{
    const auto space = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && space(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && space(text.back()))
        text.remove_suffix(1);
    return text;
}

bool equalNoCase(std::string_view a, std::string_view b)
{
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

bool isHumidityColumn(std::string_view field)
{
    return equalNoCase(field, column::kHumidity) || equalNoCase(field, column::kHumidityHighAlarm) ||
           equalNoCase(field, column::kHumidityLowAlarm);
}

bool contains(const std::vector<int>& list, int n) { return std::find(list.begin(), list.end(), n) != list.end(); }

} // namespace

HeaderAnalysis analyseHeader(std::string_view line)
{
    HeaderAnalysis header;
    line = trimmed(line);
    header.humidity = line.find(column::kHumidityUnit) != std::string_view::npos;

    FieldCursor fields(line);
    std::string_view field;
    fields.next(field);
    header.loggerName = std::string(field);

    int units = 0;
    for (int number = 0;; ++number) {
        // The empty text after the last field is taken too: it ends the columns.
        const bool more = fields.next(field);
        field = trimmed(field);
        header.columnCount = number + 1;
        if (isHumidityColumn(field))
            header.secondarySeries.push_back(number);
        else if (field != column::kTime)
            header.primarySeries.push_back(number);

        const auto open = field.find('(');
        const auto close = field.find(')');
        if (open != std::string_view::npos && close != std::string_view::npos && units < 2) {
            const std::string unit = close > open ? std::string(field.substr(open + 1, close - open - 1)) : "";
            (units++ == 0 ? header.firstUnit : header.secondUnit) = unit;
        }
        if (!more || equalNoCase(field, column::kSerialNumber))
            break;
    }
    return header;
}

int chartCount(int rowCount)
{
    // Rounded up: a row count that is an exact multiple of the chunk needs no further
    // chart (the whole part plus one would add an empty one).
    return rowCount <= kRowsPerChart ? 1 : (rowCount + kRowsPerChart - 1) / kRowsPerChart;
}

ChartRows chartRows(int chart, int rowCount)
{
    ChartRows rows;
    rows.firstRow = chart == 0 ? 1 : chart * kRowsPerChart + 1;
    if (rowCount <= kRowsPerChart) {
        rows.lastRow = rowCount;
    } else if (chart == 0) {
        rows.lastRow = kRowsPerChart;
    } else {
        rows.lastRow = std::min(chart * kRowsPerChart + kRowsPerChart, rowCount);
        rows.chunkRows = rows.lastRow - chart * kRowsPerChart;
    }
    return rows;
}

int tickSpacing(const ChartRows& rows, int rowCount) { return (rows.chunkRows != 0 ? rows.chunkRows : rowCount) / 10; }

std::vector<ChartPlan> planCharts(const HeaderAnalysis& header, int rowCount)
{
    std::vector<ChartPlan> charts;
    const int seriesCount = header.columnCount - 2;
    if (rowCount < 2 || seriesCount < 1)
        return charts;

    // A second axis is there to set the humidity apart from the other readings; with
    // nothing left on the first axis every series stays on it.
    bool anyPrimary = false;
    for (int n = 1; n <= seriesCount; ++n)
        anyPrimary = anyPrimary || !contains(header.secondarySeries, n);

    const int count = chartCount(rowCount);
    for (int k = 0; k < count; ++k) {
        const ChartRows rows = chartRows(k, rowCount);
        ChartPlan plan;
        plan.sheetName = "Chart" + std::to_string(k + 1);
        // The first chart's range starts at the header row, which names its series.
        plan.firstDataRow = std::max(rows.firstRow, 2) - 1;
        plan.lastDataRow = rows.lastRow - 1;
        for (int n = 1; n <= seriesCount; ++n)
            plan.series.push_back(ChartSeries{n + 1, anyPrimary && contains(header.secondarySeries, n)});
        plan.tickSpacing = tickSpacing(rows, rowCount);
        plan.title = header.loggerName;
        if (!header.humidity)
            plan.valueAxisTitle = header.firstUnit;
        charts.push_back(std::move(plan));
    }
    return charts;
}

std::string manyChartsWarning(int charts)
{
    return fillPlaceholders(graphtext::kManyChartsWarning, {std::to_string(charts)});
}

} // namespace velmora
