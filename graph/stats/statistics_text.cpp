#include "statistics_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "graph_strings.h"
#include "text_encoding.h"

namespace velmora {

namespace {

std::string str(std::string_view s) { return std::string(s); }

// The texts of the three rows of one kind of level.
struct LevelRows {
    LevelKind kind;
    std::string_view time, excursions, longest;
};
constexpr LevelRows kLevelRows[] = {
    {LevelKind::HighAlarm, graphtext::kStatTimeAboveHigh, graphtext::kStatExcursionsAboveHigh,
     graphtext::kStatLongestAboveHigh},
    {LevelKind::LowAlarm, graphtext::kStatTimeBelowLow, graphtext::kStatExcursionsBelowLow,
     graphtext::kStatLongestBelowLow},
    {LevelKind::WarningLevel, graphtext::kStatTimeAboveWarning, graphtext::kStatExcursionsAboveWarning,
     graphtext::kStatLongestAboveWarning},
};

const LevelExcursions* excursionsOf(const SeriesReport& s, LevelKind kind)
{
    for (std::size_t l = 0; l < s.levels.size() && l < 2; ++l)
        if (s.levels[l].kind == kind && s.stats.levels[l])
            return &*s.stats.levels[l];
    return nullptr;
}

// Characters on screen: UTF-8 continuation bytes take no place of their own.
std::size_t displayWidth(const std::string& s)
{
    return static_cast<std::size_t>(
        std::count_if(s.begin(), s.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

} // namespace

std::string decimalText(double v, int decimals)
{
    if (!std::isfinite(v))
        return str(graphtext::kStatNotApplicable);
    char buf[400];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, std::clamp(decimals, 0, 15));
    std::string text(buf, r.ptr);
    if (text.find_first_not_of("-0.") == std::string::npos && text[0] == '-')
        text.erase(0, 1); // a value that rounds to zero is not written "-0.0"
    return text;
}

std::string durationText(std::int64_t seconds)
{
    const std::int64_t d = seconds / 86400, h = seconds / 3600 % 24, m = seconds / 60 % 60, s = seconds % 60;
    std::string text;
    auto part = [&](std::int64_t n, const char* unit) {
        if (n == 0)
            return;
        text += (text.empty() ? "" : " ") + std::to_string(n) + " " + unit;
    };
    part(d, "d");
    part(h, "h");
    part(m, "min");
    part(s, "s");
    return text.empty() ? "0 s" : text;
}

std::string valueText(double v, int decimals, const std::string& cp1252Unit)
{
    if (std::isnan(v))
        return str(graphtext::kStatNotApplicable);
    return decimalText(v, decimals) + cp1252ToUtf8(cp1252Unit);
}

std::string rangeText(const ReadingRange& range, std::int64_t startTime, std::int64_t interval)
{
    if (range.empty)
        return {};
    std::string text(graphtext::kStatisticsRange);
    const std::string first = readingTimeText(startTime + static_cast<std::int64_t>(range.first) * interval);
    const std::string last = readingTimeText(startTime + static_cast<std::int64_t>(range.last) * interval);
    text.replace(text.find("%1"), 2, first);
    text.replace(text.find("%2"), 2, last);
    return text;
}

std::string levelSpanText(const LevelSpan& span, std::size_t rangeLines)
{
    if (span.lines == 0)
        return str(graphtext::kStatNotApplicable);
    std::string text = valueText(span.lowest, span.decimals, span.unit);
    if (span.highest != span.lowest)
        text += " to " + valueText(span.highest, span.decimals, span.unit);
    if (span.lines < rangeLines) {
        std::string lines(graphtext::kReportLevelLines);
        lines.replace(lines.find("%1"), 2, std::to_string(span.lines));
        lines.replace(lines.find("%2"), 2, std::to_string(rangeLines));
        text += " " + lines;
    }
    return text;
}

StatisticsTable statisticsTable(const DocumentStatistics& stats, std::int64_t startTime)
{
    StatisticsTable table;
    const std::size_t n = stats.series.size();
    // Rows are addressed by their place: references into the list would not survive
    // the rows added after them.
    auto row = [&](std::string_view label) {
        table.rows.push_back({str(label), std::vector<std::string>(n, str(graphtext::kStatNotApplicable))});
        return table.rows.size() - 1;
    };
    auto at = [&](std::size_t r, std::size_t column) -> std::string& { return table.rows[r].cells[column]; };
    auto timeOf = [&](std::size_t index) {
        return readingTimeText(startTime + static_cast<std::int64_t>(index) * stats.interval);
    };

    const std::size_t count = row(graphtext::kStatReadings);
    // Fields with no number in them are no readings: say how many were left out.
    if (std::any_of(stats.series.begin(), stats.series.end(), [](const SeriesReport& s) { return s.stats.skipped; })) {
        const std::size_t skipped = row(graphtext::kStatSkipped);
        for (std::size_t i = 0; i < n; ++i)
            at(skipped, i) = std::to_string(stats.series[i].stats.skipped);
    }
    const std::size_t minimum = row(graphtext::kStatMinimum);
    const std::size_t minimumAt = row(graphtext::kStatMinimumAt);
    const std::size_t maximum = row(graphtext::kStatMaximum);
    const std::size_t maximumAt = row(graphtext::kStatMaximumAt);
    const std::size_t mean = row(graphtext::kStatMean);
    const std::size_t deviation = row(graphtext::kStatStandardDeviation);
    for (std::size_t i = 0; i < n; ++i) {
        const SeriesReport& s = stats.series[i];
        std::string title = cp1252ToUtf8(s.name);
        if (!s.unit.empty())
            title += " (" + cp1252ToUtf8(s.unit) + ")";
        table.columns.push_back(title);
        at(count, i) = std::to_string(s.stats.count);
        if (s.stats.count == 0)
            continue;
        at(minimum, i) = valueText(s.stats.minimum, s.decimals, s.unit);
        at(minimumAt, i) = timeOf(s.stats.minimumIndex);
        at(maximum, i) = valueText(s.stats.maximum, s.decimals, s.unit);
        at(maximumAt, i) = timeOf(s.stats.maximumIndex);
        at(mean, i) = valueText(s.stats.mean, s.decimals + 1, s.unit);
        at(deviation, i) = valueText(s.stats.standardDeviation, s.decimals + 1, s.unit);
    }

    if (std::any_of(stats.series.begin(), stats.series.end(),
                    [](const SeriesReport& s) { return s.stats.meanKinetic; })) {
        const std::size_t mkt = row(graphtext::kStatMeanKinetic);
        for (std::size_t i = 0; i < n; ++i) {
            const SeriesReport& s = stats.series[i];
            if (s.stats.meanKinetic)
                at(mkt, i) = std::isnan(*s.stats.meanKinetic) ? str(graphtext::kStatBelowAbsoluteZero)
                                                              : valueText(*s.stats.meanKinetic, s.decimals + 1, s.unit);
        }
    }

    for (const LevelRows& kind : kLevelRows) {
        if (std::none_of(stats.series.begin(), stats.series.end(),
                         [&](const SeriesReport& s) { return excursionsOf(s, kind.kind); }))
            continue;
        const std::size_t time = row(kind.time);
        const std::size_t runs = row(kind.excursions);
        const std::size_t longest = row(kind.longest);
        for (std::size_t i = 0; i < n; ++i) {
            const LevelExcursions* e = excursionsOf(stats.series[i], kind.kind);
            if (!e)
                continue;
            at(time, i) = durationText(e->readings * stats.interval);
            at(runs, i) = std::to_string(e->runs);
            at(longest, i) = durationText(e->longestRun * stats.interval);
        }
    }
    return table;
}

std::string tableText(const StatisticsTable& table, const std::string& indent)
{
    std::size_t labelWidth = 0;
    for (const StatisticsTable::Row& r : table.rows)
        labelWidth = std::max(labelWidth, displayWidth(r.label));
    std::vector<std::size_t> widths;
    for (const std::string& c : table.columns)
        widths.push_back(displayWidth(c));
    for (const StatisticsTable::Row& r : table.rows)
        for (std::size_t i = 0; i < r.cells.size() && i < widths.size(); ++i)
            widths[i] = std::max(widths[i], displayWidth(r.cells[i]));

    auto line = [&](const std::string& label, const std::vector<std::string>& cells) {
        std::string text = indent + label + std::string(labelWidth - displayWidth(label), ' ');
        for (std::size_t i = 0; i < cells.size() && i < widths.size(); ++i) {
            text += "  " + cells[i];
            if (i + 1 < cells.size())
                text += std::string(widths[i] - displayWidth(cells[i]), ' ');
        }
        return text + "\n";
    };
    std::string text = line({}, table.columns);
    for (const StatisticsTable::Row& r : table.rows)
        text += line(r.label, r.cells);
    return text;
}

} // namespace velmora
