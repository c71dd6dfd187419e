#pragma once
// The statistics as a table of texts (UTF-8), one column per reading series and one
// row per figure, so that the viewer's panel, the report and velmora-cli print the
// same words and the same digits. Numbers are written with a full stop whatever the
// locale: a report is a file.
#include <cstdint>
#include <string>
#include <vector>

#include "document_statistics.h"

namespace velmora {

struct StatisticsTable {
    struct Row {
        std::string label;
        std::vector<std::string> cells; // one per column
    };
    std::vector<std::string> columns; // "Celsius (°C)"
    std::vector<Row> rows;
};

// Rows for the figures that apply to at least one series: the count, the fields left
// out for holding no number (when any were), the extremes
// with their times, mean and standard deviation (one more decimal than the series),
// the mean kinetic temperature where a series is a temperature, and for each kind of
// level a series watches, the time beyond it, the excursions and the longest one.
StatisticsTable statisticsTable(const DocumentStatistics& stats, std::int64_t startTime);

// "5.25" with `decimals` digits after a full stop.
std::string decimalText(double v, int decimals);
// "1 d 2 h 3 min 4 s", leaving out parts that are 0; "0 s" for none.
std::string durationText(std::int64_t seconds);
// The value with its unit as the readout writes it: "4.5°C" (UTF-8).
std::string valueText(double v, int decimals, const std::string& cp1252Unit);
// "<first reading time> to <last reading time>" of a range; empty for an empty range.
std::string rangeText(const ReadingRange& range, std::int64_t startTime, std::int64_t interval);

// An alarm column's level over a range: "8.0°C", "8.0°C to 9.0°C" when it changes,
// followed by "(on 3 of 4 lines)" when some lines have none; "-" when none has one.
std::string levelSpanText(const LevelSpan& span, std::size_t rangeLines);

// The table as aligned plain text, one line per row, the column titles first.
std::string tableText(const StatisticsTable& table, const std::string& indent = "  ");

} // namespace velmora
