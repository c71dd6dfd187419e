#include "document_statistics.h"

#include <algorithm>
#include <cmath>
#include <ctime>

#include "civil_time.h"

namespace velmora {

namespace {

constexpr char kCelsius[] = "\260C"; // Windows-1252 degree sign
constexpr char kFahrenheit[] = "\260F";

std::int64_t intervalOf(const GraphData& data) { return std::max<std::int64_t>(1, data.sampleInterval); }

bool containsNoCase(const std::string& text, std::string_view upperNeedle)
{
    std::string upper(text);
    for (char& ch : upper)
        if (ch >= 'a' && ch <= 'z')
            ch = static_cast<char>(ch - 'a' + 'A');
    return upper.find(upperNeedle) != std::string::npos;
}

// Readings ceil(lo / interval) .. floor(hi / interval) of the file, lo and hi in
// seconds after the first reading.
ReadingRange rangeOfSeconds(const GraphData& data, double lo, double hi)
{
    const std::int32_t count = data.fileReadingCount();
    if (count <= 0 || !(lo <= hi))
        return {};
    const double interval = static_cast<double>(intervalOf(data));
    // X values arrive as whole seconds or a hair either side of them.
    const double first = std::max(0.0, std::ceil(lo / interval - 1e-9));
    const double last = std::min(static_cast<double>(count - 1), std::floor(hi / interval + 1e-9));
    if (first > last)
        return {};
    return {static_cast<std::size_t>(first), static_cast<std::size_t>(last), false};
}

std::vector<LevelReport> levelsOf(const ChannelData& c)
{
    std::vector<LevelReport> levels;
    if (c.hasHigh)
        levels.push_back({LevelKind::HighAlarm, c.highLabel});
    // A carbon monoxide logger's second column is its warning level, watched from below.
    if (c.hasLow)
        levels.push_back(
            {containsNoCase(c.lowLabel, "WARNING LEVEL") ? LevelKind::WarningLevel : LevelKind::LowAlarm, c.lowLabel});
    return levels;
}

int levelSeries(LevelKind kind) { return kind == LevelKind::HighAlarm ? 1 : 2; }

struct SeriesSource {
    SeriesKind kind;
    const ChannelData& channel;
    int series;
};

// One series over readings [first, end) as the statistics read it: a field that held
// no number is a gap, like the dew point's "Error". The range is copied only when it
// holds such a field; otherwise the series is read where it stands.
class ReadingsOf {
public:
    ReadingsOf(const ChartDataSet& set, int series, std::size_t first, std::size_t end)
    {
        const ChartDataSet::Values& values = set.values(series);
        end = std::min(end, values.size());
        first = std::min(first, end);
        data_ = values.data() + first;
        const std::vector<std::size_t>& notNumbers = set.notNumbers(series);
        auto from = std::lower_bound(notNumbers.begin(), notNumbers.end(), first);
        const auto to = std::lower_bound(from, notNumbers.end(), end);
        if (from == to)
            return;
        copy_.assign(data_, data_ + (end - first));
        for (; from != to; ++from)
            copy_[*from - first] = ChartDataSet::kGap;
        data_ = copy_.data();
    }
    ReadingsOf(const ReadingsOf&) = delete;
    ReadingsOf& operator=(const ReadingsOf&) = delete;

    // Reading `first` of the range.
    const double* data() const { return data_; }

private:
    const double* data_ = nullptr;
    std::vector<double> copy_;
};

std::vector<SeriesSource> readingSeries(const GraphData& data)
{
    std::vector<SeriesSource> list;
    if (data.channel1.present && data.channel1.data.shown(0))
        list.push_back({SeriesKind::FirstChannel, data.channel1, 0});
    if (data.channel2.present && data.channel2.data.shown(0))
        list.push_back({SeriesKind::SecondChannel, data.channel2, 0});
    if (data.channel1.hasThird && data.channel1.data.shown(3))
        list.push_back({SeriesKind::ThirdTrace, data.channel1, 3});
    return list;
}

} // namespace

ReadingRange wholeFile(const GraphData& data)
{
    const std::int32_t count = data.fileReadingCount();
    if (count <= 0)
        return {};
    return {0, static_cast<std::size_t>(count - 1), false};
}

ReadingRange readingsWithinX(const GraphData& data, double xMin, double xMax)
{
    return rangeOfSeconds(data, xMin, xMax);
}

ReadingRange readingsWithinTimes(const GraphData& data, std::int64_t from, std::int64_t to)
{
    return rangeOfSeconds(data, static_cast<double>(from - data.startTime), static_cast<double>(to - data.startTime));
}

std::optional<std::int64_t> parseReadingTime(std::string_view text)
{
    // DD/MM/YYYY HH:MM:SS
    constexpr std::string_view shape = "00/00/0000 00:00:00";
    if (text.size() != shape.size())
        return std::nullopt;
    for (std::size_t i = 0; i < shape.size(); ++i) {
        const bool digit = text[i] >= '0' && text[i] <= '9';
        if (shape[i] == '0' ? !digit : text[i] != shape[i])
            return std::nullopt;
    }
    auto number = [&](std::size_t at, std::size_t width) {
        int n = 0;
        for (std::size_t i = at; i < at + width; ++i)
            n = n * 10 + (text[i] - '0');
        return n;
    };
    const int day = number(0, 2), month = number(3, 2), year = number(6, 4);
    const int hour = number(11, 2), minute = number(14, 2), second = number(17, 2);
    if (year < 1970 || month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month) || hour > 23 ||
        minute > 59 || second > 59)
        return std::nullopt;
    return daysSinceEpoch(year, month, day) * 86400 + hour * 3600 + minute * 60 + second;
}

std::string readingTimeText(std::int64_t seconds)
{
    const std::time_t t = static_cast<std::time_t>(seconds);
    std::tm parts{};
    if (gmtime_r(&t, &parts) == nullptr)
        return {};
    char buf[64];
    const std::size_t n = std::strftime(buf, sizeof buf, "%d/%m/%Y %H:%M:%S", &parts);
    return std::string(buf, n);
}

std::int64_t readingTime(const GraphData& data, std::size_t index)
{
    return data.startTime + static_cast<std::int64_t>(index) * intervalOf(data);
}

TemperatureScale temperatureScaleOf(const std::string& unit)
{
    if (unit == kCelsius)
        return TemperatureScale::Celsius;
    if (unit == kFahrenheit)
        return TemperatureScale::Fahrenheit;
    return TemperatureScale::None;
}

DocumentStatistics documentStatistics(const GraphData& data, const ReadingRange& range,
                                      const StatisticsOptions& options)
{
    DocumentStatistics result;
    result.range = range;
    result.interval = intervalOf(data);
    for (const SeriesSource& source : readingSeries(data)) {
        const ChannelData& c = source.channel;
        SeriesReport report;
        report.kind = source.kind;
        report.name = source.kind == SeriesKind::ThirdTrace ? c.thirdName : c.name;
        report.unit = c.unit;
        report.decimals = source.kind == SeriesKind::FirstChannel ? c.decimals : 1;
        report.scale = temperatureScaleOf(c.unit);
        if (source.kind != SeriesKind::ThirdTrace)
            report.levels = levelsOf(c);

        // The readings the value and its levels all hold, counted from the range's first.
        std::size_t end = range.empty ? range.first : std::min(range.last + 1, c.data.pointCount(source.series));
        for (const LevelReport& level : report.levels)
            end = std::min(end, c.data.pointCount(levelSeries(level.kind)));
        const std::size_t first = std::min(range.first, end);
        const ReadingsOf values(c.data, source.series, first, end);
        std::optional<ReadingsOf> levels[2];
        SeriesInput input;
        input.values = values.data();
        input.first = 0;
        input.end = end - first;
        input.scale = report.scale;
        input.activationEnergy = options.activationEnergy;
        for (std::size_t l = 0; l < report.levels.size(); ++l) {
            const LevelKind kind = report.levels[l].kind;
            levels[l].emplace(c.data, levelSeries(kind), first, end);
            input.levels[l] = {levels[l]->data(), kind == LevelKind::LowAlarm ? Beyond::Below : Beyond::Above};
        }
        report.stats = seriesStatistics(input);
        for (const auto& [from, to] : data.noLines) // no field there to skip
            report.stats.skipped -= std::min(report.stats.skipped, std::max(from, first) < std::min(to, end)
                                                                       ? std::min(to, end) - std::max(from, first)
                                                                       : std::size_t{0});
        report.stats.minimumIndex += first;
        report.stats.maximumIndex += first;
        result.series.push_back(std::move(report));
    }
    return result;
}

std::vector<LevelSpan> alarmLevels(const GraphData& data, const ReadingRange& range)
{
    std::vector<LevelSpan> spans;
    for (const ChannelData* c : {&data.channel1, &data.channel2}) {
        if (!c->present)
            continue;
        for (const LevelReport& level : levelsOf(*c)) {
            LevelSpan span{c->name, c->unit, c == &data.channel1 ? c->decimals : 1, level};
            const int series = levelSeries(level.kind);
            const std::size_t end = range.empty ? 0 : std::min(range.last + 1, c->data.pointCount(series));
            const std::size_t first = std::min(range.first, end);
            const ReadingsOf levels(c->data, series, first, end);
            const double* v = levels.data();
            for (std::size_t i = 0; i < end - first; ++i) {
                if (v[i] == ChartDataSet::kGap)
                    continue;
                span.lowest = span.lines == 0 ? v[i] : std::min(span.lowest, v[i]);
                span.highest = span.lines == 0 ? v[i] : std::max(span.highest, v[i]);
                ++span.lines;
            }
            spans.push_back(std::move(span));
        }
    }
    return spans;
}

} // namespace velmora
