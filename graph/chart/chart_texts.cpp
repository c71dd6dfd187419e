#include "chart_texts.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>

namespace velmora {

namespace {

constexpr std::size_t kTimeTextMax = 79;
constexpr std::size_t kValuesMax = 127;

bool isGap(double v) { return v >= ChartDataSet::kGap || !std::isfinite(v); }

// The value of series `s` at `index`, or none for a gap, a hidden series or an index
// past what the series holds.
std::optional<double> valueAt(const ChartDataSet& set, int s, std::size_t index, bool shown)
{
    if (!shown || s >= set.seriesCount() || !set.shown(s))
        return std::nullopt;
    const long last = lastShownIndex(set, s);
    if (last < 0 || index > static_cast<std::size_t>(last))
        return std::nullopt;
    const double v = set.y(s, index);
    if (isGap(v))
        return std::nullopt;
    return v;
}

std::string formatValue(const char* separator, double v, int decimals, const std::string& unit)
{
    char buf[kValuesMax + 1];
    std::snprintf(buf, sizeof buf, "%s%.*f%s", separator, std::max(decimals, 0), v, unit.c_str());
    return buf;
}

} // namespace

ReadoutSeries ReadoutSeries::declared(const GraphData& data)
{
    const ChartDataSet& first = data.channel1.data;
    const ChartDataSet& second = data.channel2.data;
    return {first.shown(0), first.seriesCount() > 3 && first.shown(3), second.shown(0)};
}

std::string timeText(std::int64_t seconds)
{
    const std::time_t t = static_cast<std::time_t>(seconds);
    std::tm parts{};
    if (gmtime_r(&t, &parts) == nullptr)
        return {};
    char buf[kTimeTextMax + 1];
    const std::size_t n = std::strftime(buf, sizeof buf, " %d %B %Y %X", &parts);
    return std::string(buf, n);
}

std::int64_t timeOfX(const GraphData& data, double x)
{
    return data.startTime + static_cast<std::int64_t>(std::floor(x + 1e-6));
}

std::string fromToText(const GraphData& data, double xMin, double xMax)
{
    if (data.readingCount < 1)
        return " ";
    const std::int64_t from = timeOfX(data, xMin);
    const std::int64_t to = timeOfX(data, xMax);
    if (from < 1 || to < 1)
        return " ";
    return "From:- " + timeText(from) + "     To:- " + timeText(to);
}

std::string fromToText(const GraphData& data)
{
    const double last = static_cast<double>(data.readingCount - 1) * data.sampleInterval;
    return fromToText(data, 0.0, last);
}

long lastShownIndex(const ChartDataSet& set, int s)
{
    const long count = static_cast<long>(set.pointCount(s));
    const long last = set.lastPoint(s);
    return last >= 0 ? std::min(last, count - 1) : count - 1;
}

std::optional<std::size_t> readoutIndex(const GraphData& data, double x)
{
    if (isGap(x) || data.sampleInterval <= 0)
        return std::nullopt;
    // Truncation, not floor: the same rounding the readout has always used.
    const double scaled = x == 0.0 ? 0.0 : x / data.sampleInterval + 0.5;
    if (scaled <= -1.0 || scaled >= 9.0e18) // truncates to a negative index, or absurd
        return std::nullopt;
    const long long index = static_cast<long long>(scaled);
    if (index > lastShownIndex(data.channel1.data, 0))
        return std::nullopt;
    return static_cast<std::size_t>(index);
}

std::string readoutText(const GraphData& data, std::size_t index, const ReadoutSeries& series)
{
    const ChannelData& first = data.channel1;
    const ChannelData& second = data.channel2;
    const std::int64_t time = timeOfX(data, static_cast<double>(index) * data.sampleInterval);

    std::string values;
    const char* separator = " : ";
    auto add = [&](std::optional<double> v, int decimals, const std::string& unit) {
        if (!v)
            return;
        values += formatValue(separator, *v, decimals, unit);
        separator = ", ";
    };
    add(valueAt(first.data, 0, index, series.firstValue), first.decimals, first.unit);
    add(valueAt(first.data, 3, index, series.third), 1, first.unit);
    add(valueAt(second.data, 0, index, series.secondValue), 1, second.unit);
    if (values.empty())
        values = " : ";
    if (values.size() > kValuesMax)
        values.resize(kValuesMax);
    return timeText(time) + values;
}

std::string readoutText(const GraphData& data, std::size_t index)
{
    return readoutText(data, index, ReadoutSeries::declared(data));
}

std::string pointerFooterText(const GraphData& data, double x, double xMin, double xMax, const ReadoutSeries& series)
{
    const std::optional<std::size_t> index = readoutIndex(data, x);
    if (!index)
        return fromToText(data, xMin, xMax);
    return readoutText(data, *index, series);
}

} // namespace velmora
