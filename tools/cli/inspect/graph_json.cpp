#include "graph_json.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>

#include "chart_texts.h"
#include "graph_strings.h"
#include "text_encoding.h"

namespace velmora {

namespace {

// Appends to a buffer and hands it to the stream in large pieces: a million-reading
// file has seven million numbers to print.
class JsonOut {
public:
    explicit JsonOut(std::ostream& out) : out_(out) { buf_.reserve(kFlushAt + 512); }
    ~JsonOut() { flush(); }

    JsonOut& raw(std::string_view s)
    {
        buf_ += s;
        if (buf_.size() >= kFlushAt)
            flush();
        return *this;
    }
    // A Windows-1252 text as a JSON string.
    JsonOut& text(const std::string& cp1252) { return raw(jsonString(cp1252ToUtf8(cp1252))); }
    JsonOut& number(double v)
    {
        if (v == ChartDataSet::kGap || !std::isfinite(v))
            return raw("null");
        char s[32];
        const auto r = std::to_chars(s, s + sizeof s, v); // shortest text that reads back exactly
        return raw(std::string_view(s, static_cast<std::size_t>(r.ptr - s)));
    }
    JsonOut& integer(long long v) { return raw(std::to_string(v)); }
    JsonOut& boolean(bool b) { return raw(b ? "true" : "false"); }
    JsonOut& key(std::string_view k)
    {
        buf_ += '"';
        buf_ += k;
        return raw("\":");
    }

    void flush()
    {
        out_.write(buf_.data(), static_cast<std::streamsize>(buf_.size()));
        buf_.clear();
    }

private:
    static constexpr std::size_t kFlushAt = 1 << 16;
    std::ostream& out_;
    std::string buf_;
};

void writeSeries(JsonOut& j, const ChartDataSet& set, std::size_t count)
{
    j.key("series").raw("[");
    for (int s = 0; s < set.seriesCount(); ++s) {
        if (s > 0)
            j.raw(",");
        j.raw("{").key("shown").boolean(set.shown(s)).raw(",").key("y").raw("[");
        const ChartDataSet::Values& y = set.values(s);
        const std::size_t n = std::min(count, y.size());
        for (std::size_t i = 0; i < n; ++i) {
            if (i > 0)
                j.raw(",");
            j.number(y[i]);
        }
        j.raw("]}");
    }
    j.raw("]");
}

void writeChannel(JsonOut& j, const ChannelData& c, bool first, std::size_t count)
{
    j.raw("{").key("present").boolean(c.present);
    j.raw(",").key("name").text(c.name);
    j.raw(",").key("unit").text(c.unit);
    j.raw(",").key("high_label").text(c.highLabel);
    j.raw(",").key("low_label").text(c.lowLabel);
    if (first)
        j.raw(",").key("third_name").text(c.thirdName);
    j.raw(",").key("has_high").boolean(c.hasHigh);
    j.raw(",").key("has_low").boolean(c.hasLow);
    if (first) {
        j.raw(",").key("has_third").boolean(c.hasThird);
        j.raw(",").key("decimals").integer(c.decimals);
    }
    j.raw(",");
    writeSeries(j, c.data, count);
    j.raw("}");
}

// Keys of the level columns' figures, by the kind of level.
struct LevelKeys {
    LevelKind kind;
    const char* time;
    const char* excursions;
    const char* longest;
};
constexpr LevelKeys kLevelKeys[] = {
    {LevelKind::HighAlarm, "time_above_high_s", "excursions_above", "longest_above_s"},
    {LevelKind::LowAlarm, "time_below_low_s", "excursions_below", "longest_below_s"},
    {LevelKind::WarningLevel, "time_above_warning_s", "excursions_above_warning", "longest_above_warning_s"},
};

void writeStats(JsonOut& j, const GraphData& data, const DocumentStatistics& stats)
{
    j.key("stats").raw("[");
    bool firstSeries = true;
    for (const SeriesReport& s : stats.series) {
        const SeriesStatistics& st = s.stats;
        const bool any = st.count > 0;
        auto time = [&](std::size_t index) {
            if (any)
                j.text(readingTimeText(readingTime(data, index)));
            else
                j.raw("null");
        };
        j.raw(firstSeries ? "{" : ",{").key("series").text(s.name);
        firstSeries = false;
        j.raw(",").key("count").integer(static_cast<long long>(st.count));
        j.raw(",").key("skipped").integer(static_cast<long long>(st.skipped));
        j.raw(",").key("min").number(st.minimum);
        j.raw(",").key("min_time");
        time(st.minimumIndex);
        j.raw(",").key("max").number(st.maximum);
        j.raw(",").key("max_time");
        time(st.maximumIndex);
        j.raw(",").key("mean").number(st.mean);
        j.raw(",").key("stddev").number(st.standardDeviation);
        // In the order of the keys: all the times, then the excursions, then the longest.
        const LevelExcursions* found[3] = {};
        for (std::size_t l = 0; l < s.levels.size() && l < 2; ++l)
            for (int k = 0; k < 3; ++k)
                if (s.levels[l].kind == kLevelKeys[k].kind && st.levels[l])
                    found[k] = &*st.levels[l];
        for (int k = 0; k < 3; ++k)
            if (found[k])
                j.raw(",").key(kLevelKeys[k].time).integer(found[k]->readings * stats.interval);
        for (int k = 0; k < 3; ++k)
            if (found[k])
                j.raw(",").key(kLevelKeys[k].excursions).integer(found[k]->runs);
        for (int k = 0; k < 3; ++k)
            if (found[k])
                j.raw(",").key(kLevelKeys[k].longest).integer(found[k]->longestRun * stats.interval);
        if (s.scale != TemperatureScale::None)
            j.raw(",").key("mkt").number(st.meanKinetic ? *st.meanKinetic : SeriesStatistics::kNone);
        j.raw("}");
    }
    j.raw("]");
}

} // namespace

std::string jsonString(std::string_view utf8)
{
    std::string out = "\"";
    for (char c : utf8) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20) {
            char esc[8];
            std::snprintf(esc, sizeof esc, "\\u%04x", u);
            out += esc;
        } else {
            out += c;
        }
    }
    return out + '"';
}

void writeGraphJson(std::ostream& out, const GraphData& data, const DocumentStatistics& stats, bool endLine)
{
    const std::size_t count = data.readingCount > 0 ? static_cast<std::size_t>(data.readingCount) : 0;
    JsonOut j(out);
    j.raw("{").key("name").text(data.loggerName);
    j.raw(",").key("count").integer(data.readingCount);
    j.raw(",").key("interval").integer(data.sampleInterval);
    j.raw(",").key("start").text(readingTimeText(data.startTime));
    j.raw(",").key("channel1");
    writeChannel(j, data.channel1, true, count);
    j.raw(",").key("channel2");
    writeChannel(j, data.channel2, false, count);
    j.raw(",").key("from_to").text(fromToText(data));
    j.raw(",");
    writeStats(j, data, stats);
    j.raw(",").key("warnings").raw("[");
    if (data.lastLineUnterminated)
        j.raw(jsonString(graphtext::kLastLineCut));
    j.raw(endLine ? "]}\n" : "]}");
}

void writeSummaryJson(std::ostream& out, const ComparisonSummary& summary, const std::vector<std::string>& paths)
{
    JsonOut j(out);
    const auto file = [&](std::size_t f) -> JsonOut& {
        return j.raw("{").key("file").raw(jsonString(f < paths.size() ? paths[f] : std::string()));
    };
    const auto extreme = [&](std::string_view name, std::string_view value, const std::optional<ExtremeOfFiles>& e) {
        j.key(name);
        if (!e) {
            j.raw("null");
            return;
        }
        file(e->file).raw(",").key(value).number(e->value);
        j.raw(",").key("time").text(readingTimeText(e->time)).raw("}");
    };
    const auto mean = [&](std::string_view name, const std::optional<MeanOfFiles>& m) {
        j.key(name);
        if (m)
            file(m->file).raw(",").key("mean").number(m->mean).raw("}");
        else
            j.raw("null");
    };
    j.raw("{");
    extreme("hottest", "max", summary.hottest);
    j.raw(",");
    extreme("coldest", "min", summary.coldest);
    j.raw(",");
    mean("warmest_mean", summary.warmestMean);
    j.raw(",");
    mean("coolest_mean", summary.coolestMean);
    j.raw(",").key("longest_above_high");
    if (const std::optional<LongestAboveHigh>& l = summary.longestAboveHigh)
        file(l->file).raw(",").key("seconds").integer(l->seconds).raw("}");
    else
        j.raw("null");
    j.raw("}");
}

} // namespace velmora
