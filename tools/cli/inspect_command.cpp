#include "inspect_command.h"

#include <charconv>
#include <cstdio>
#include <optional>

#include "chart_texts.h"
#include "data_file_parser.h"
#include "graph_json.h"
#include "graph_strings.h"
#include "header_parser.h"
#include "series_summary.h"
#include "text_encoding.h"

namespace velmora {

namespace {

constexpr const char* kUsage = "usage: velmora-cli inspect [--json] [--readout I] FILE\n";

struct Options {
    bool json = false;
    std::optional<std::size_t> readout;
    std::string file;
};

std::optional<Options> parseOptions(const std::vector<std::string>& args, std::ostream& err)
{
    Options o;
    bool haveFile = false;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (!optionsEnded && a == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && a == "--json") {
            o.json = true;
        } else if (!optionsEnded && a == "--readout") {
            std::size_t index = 0;
            const std::string* v = i + 1 < args.size() ? &args[++i] : nullptr;
            const char* end = v ? v->data() + v->size() : nullptr;
            // A number too large for the index is refused too: from_chars then leaves
            // the index at 0 and says so only in its error code.
            const std::from_chars_result r = v ? std::from_chars(v->data(), end, index) : std::from_chars_result{};
            if (!v || v->empty() || r.ec != std::errc() || r.ptr != end) {
                err << "velmora-cli inspect: --readout needs a reading number (0, 1, 2, ...)\n" << kUsage;
                return std::nullopt;
            }
            o.readout = index;
        } else if (!optionsEnded && a.size() > 1 && a[0] == '-') {
            err << "velmora-cli inspect: unknown option " << a << "\n" << kUsage;
            return std::nullopt;
        } else if (haveFile) {
            err << "velmora-cli inspect: one file at a time\n" << kUsage;
            return std::nullopt;
        } else {
            o.file = a;
            haveFile = true;
        }
    }
    if (!haveFile) {
        err << kUsage;
        return std::nullopt;
    }
    return o;
}

std::string fixed(double v, int decimals)
{
    char buf[400];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    return buf;
}

std::string duration(long long seconds)
{
    const long long d = seconds / 86400, h = seconds / 3600 % 24, m = seconds / 60 % 60, s = seconds % 60;
    std::string text;
    auto part = [&](long long n, const char* unit) {
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

void printChannel(std::ostream& out, const char* title, const ChannelData& c, bool first)
{
    if (!c.present)
        return;
    out << title << ": " << cp1252ToUtf8(c.name);
    if (!c.unit.empty())
        out << " (" << cp1252ToUtf8(c.unit) << ")";
    if (c.hasHigh)
        out << "; high alarm: " << cp1252ToUtf8(c.highLabel);
    if (c.hasLow)
        out << "; low alarm: " << cp1252ToUtf8(c.lowLabel);
    if (first && c.hasThird)
        out << "; third trace: " << cp1252ToUtf8(c.thirdName);
    out << "\n";
}

void printSeries(std::ostream& out, const std::string& label, const std::vector<double>& y, std::size_t count,
                 int decimals, const std::string& unit)
{
    const SeriesSummary s = summarize(y, count);
    out << "  " << cp1252ToUtf8(label) << ": ";
    if (s.values == 0) {
        out << "no values\n";
        return;
    }
    const std::string u = cp1252ToUtf8(unit);
    out << "min " << fixed(s.minimum, decimals) << u << ", max " << fixed(s.maximum, decimals) << u << ", mean "
        << fixed(s.mean, decimals + 1) << u;
    if (s.values < count)
        out << " (" << s.values << " of " << count << " readings)";
    out << "\n";
}

void printAlarmTimes(std::ostream& out, const ChannelData& c, std::size_t count, long long interval)
{
    const ChartDataSet& d = c.data;
    auto line = [&](const char* beyond, const std::string& label, std::size_t readings) {
        out << "  " << cp1252ToUtf8(c.name) << " " << beyond << " " << cp1252ToUtf8(label) << ": "
            << duration(static_cast<long long>(readings) * interval) << " (" << readings
            << (readings == 1 ? " reading)\n" : " readings)\n");
    };
    if (c.hasHigh)
        line("above", c.highLabel, readingsAbove(d.values(0), d.values(1), count));
    // A carbon monoxide logger's warning level sits in the low-alarm column but warns
    // of readings above it.
    if (c.hasLow && containsUpper(c.lowLabel, "WARNING LEVEL"))
        line("above", c.lowLabel, readingsAbove(d.values(0), d.values(2), count));
    else if (c.hasLow)
        line("below", c.lowLabel, readingsBelow(d.values(0), d.values(2), count));
}

void printSummary(std::ostream& out, const GraphData& data)
{
    const std::size_t count = static_cast<std::size_t>(data.readingCount);
    out << "Logger: " << cp1252ToUtf8(data.loggerName) << "\n"
        << "Readings: " << data.readingCount << "\n"
        << "Interval: " << data.sampleInterval << " s\n"
        << "Start: " << stampText(data.startTime) << "\n";
    const ChannelData& c1 = data.channel1;
    const ChannelData& c2 = data.channel2;
    printChannel(out, "Channel 1", c1, true);
    printChannel(out, "Channel 2", c2, false);

    out << "Series:\n";
    // The first channel's own decimals for its value and alarm levels; one decimal for
    // the third trace and the second channel, as the viewer's readout shows them.
    const std::string* labels1[] = {&c1.name, &c1.highLabel, &c1.lowLabel, &c1.thirdName};
    for (int s = 0; s < 4; ++s)
        if (c1.data.shown(s))
            printSeries(out, *labels1[s], c1.data.values(s), count, s == 3 ? 1 : c1.decimals, c1.unit);
    const std::string* labels2[] = {&c2.name, &c2.highLabel, &c2.lowLabel};
    for (int s = 0; s < 3; ++s)
        if (c2.data.shown(s))
            printSeries(out, *labels2[s], c2.data.values(s), count, 1, c2.unit);

    if (c1.hasHigh || c1.hasLow || c2.hasHigh || c2.hasLow) {
        out << "Time beyond alarms:\n";
        printAlarmTimes(out, c1, count, data.sampleInterval);
        printAlarmTimes(out, c2, count, data.sampleInterval);
    }
    out << fromToText(data) << "\n";
}

} // namespace

int runInspect(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    const std::optional<Options> options = parseOptions(args, err);
    if (!options)
        return 2;

    GraphData data;
    const ReadResult read = readDataFile(options->file, data);
    if (read.status == ReadStatus::EventFile) {
        err << graphtext::kEventFileNotCharted << "\n";
        return 1;
    }
    if (read.status != ReadStatus::Loaded) {
        err << readFailureMessage(read) << "\n";
        return 1;
    }
    if (data.lastLineUnterminated)
        err << "velmora-cli inspect: warning: " << graphtext::kLastLineCut << "\n";

    std::string readout;
    if (options->readout) {
        const std::size_t last = static_cast<std::size_t>(data.readingCount - 1);
        if (*options->readout > last) {
            err << "velmora-cli inspect: reading " << *options->readout << " is not in the file (readings 0 to "
                << last << ")\n";
            return 1;
        }
        readout = cp1252ToUtf8(readoutText(data, *options->readout));
    }

    if (options->readout && options->json)
        out << "{\"reading\":" << *options->readout << ",\"readout\":" << jsonString(readout) << "}\n";
    else if (options->readout)
        out << readout << "\n";
    else if (options->json)
        writeGraphJson(out, data);
    else
        printSummary(out, data);
    out.flush();
    return 0;
}

} // namespace velmora
