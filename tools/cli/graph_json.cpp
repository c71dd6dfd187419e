#include "graph_json.h"

#include <charconv>
#include <cstdio>
#include <ctime>
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
        if (v == ChartDataSet::kGap)
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
        const std::vector<double>& y = set.values(s);
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

std::string stampText(std::int64_t seconds)
{
    const std::time_t t = static_cast<std::time_t>(seconds);
    std::tm parts{};
    if (gmtime_r(&t, &parts) == nullptr)
        return {};
    char buf[64];
    const std::size_t n = std::strftime(buf, sizeof buf, "%d/%m/%Y %H:%M:%S", &parts);
    return std::string(buf, n);
}

void writeGraphJson(std::ostream& out, const GraphData& data)
{
    const std::size_t count = data.readingCount > 0 ? static_cast<std::size_t>(data.readingCount) : 0;
    JsonOut j(out);
    j.raw("{").key("name").text(data.loggerName);
    j.raw(",").key("count").integer(data.readingCount);
    j.raw(",").key("interval").integer(data.sampleInterval);
    j.raw(",").key("start").text(stampText(data.startTime));
    j.raw(",").key("channel1");
    writeChannel(j, data.channel1, true, count);
    j.raw(",").key("channel2");
    writeChannel(j, data.channel2, false, count);
    j.raw(",").key("from_to").text(fromToText(data));
    j.raw(",").key("warnings").raw("[");
    if (data.lastLineUnterminated)
        j.raw(jsonString(graphtext::kLastLineCut));
    j.raw("]}\n");
}

} // namespace velmora
