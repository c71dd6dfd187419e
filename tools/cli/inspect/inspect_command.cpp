#include "inspect_command.h"

#include <charconv>
#include <cstdio>
#include <optional>

#include "chart_texts.h"
#include "comparison_text.h"
#include "graph_data_reader.h"
#include "graph_json.h"
#include "graph_strings.h"
#include "read_outcome.h"
#include "statistics_text.h"
#include "stats_args.h"
#include "text_encoding.h"
#include "time_alignment.h"

namespace velmora {

namespace {

constexpr const char* kUsage =
    "usage: velmora-cli inspect [--json] [--readout I] [--from \"DD/MM/YYYY HH:MM:SS\"] [--to \"DD/MM/YYYY HH:MM:SS\"]\n"
    "                           [--activation-energy KJ_PER_MOL] FILE...\n";
const std::string kPrefix = "velmora-cli inspect: ";

struct Options {
    bool json = false;
    std::optional<std::size_t> readout;
    StatsArgs stats;
    std::vector<std::string> files;
};

std::optional<Options> parseOptions(const std::vector<std::string>& args, std::ostream& err)
{
    Options o;
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
        } else if (const ArgOutcome taken =
                       optionsEnded ? ArgOutcome::NotMine : takeStatsArg(args, i, o.stats, err, kPrefix);
                   taken != ArgOutcome::NotMine) {
            if (taken == ArgOutcome::Bad) {
                err << kUsage;
                return std::nullopt;
            }
        } else if (!optionsEnded && a.size() > 1 && a[0] == '-') {
            err << "velmora-cli inspect: unknown option " << a << "\n" << kUsage;
            return std::nullopt;
        } else {
            o.files.push_back(a);
        }
    }
    if (o.files.empty()) {
        err << kUsage;
        return std::nullopt;
    }
    if (o.readout && o.files.size() > 1) {
        err << "velmora-cli inspect: --readout reads one file\n" << kUsage;
        return std::nullopt;
    }
    if (!checkStatsArgs(o.stats, err, kPrefix)) {
        err << kUsage;
        return std::nullopt;
    }
    return o;
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

void printStatistics(std::ostream& out, const GraphData& data, const DocumentStatistics& stats)
{
    const std::vector<LevelSpan> levels = alarmLevels(data, stats.range);
    if (!levels.empty()) {
        out << "Alarm levels:\n";
        for (const LevelSpan& l : levels)
            out << "  " << cp1252ToUtf8(l.channel) << " " << cp1252ToUtf8(l.level.label) << ": "
                << levelSpanText(l, stats.range.size()) << "\n";
    }
    if (stats.range.empty) {
        out << "Statistics:\n  " << graphtext::kNoReadingsInRange << "\n";
        return;
    }
    out << "Statistics, " << rangeText(stats.range, data.startTime, stats.interval) << ":\n"
        << tableText(statisticsTable(stats, data.startTime));
}

void printSummary(std::ostream& out, const GraphData& data, const DocumentStatistics& stats)
{
    out << "Logger: " << cp1252ToUtf8(data.loggerName) << "\n";
    if (!data.serialNumber.empty())
        out << "Serial number: " << cp1252ToUtf8(data.serialNumber) << "\n";
    out << "Readings: " << data.fileReadingCount() << "\n"
        << "Interval: " << data.sampleInterval << " s\n"
        << "Start: " << readingTimeText(data.startTime) << "\n";
    printChannel(out, "Channel 1", data.channel1, true);
    printChannel(out, "Channel 2", data.channel2, false);
    printStatistics(out, data, stats);
    out << fromToText(data) << "\n";
}

// Several files: each file's document as for one, then the first channels compared,
// over the same stretch of time in each (--from and --to in the first file's clock).
int inspectSeveral(const Options& options, std::ostream& out, std::ostream& err)
{
    std::vector<GraphData> data(options.files.size());
    std::vector<const GraphData*> files;
    for (std::size_t f = 0; f < options.files.size(); ++f) {
        const ReadResult read = readDataFile(options.files[f], data[f]);
        if (!readOutcomeAccepted(read, data[f], err, kPrefix + options.files[f] + ": ")) {
            err << kPrefix << "cannot read " << options.files[f] << "\n";
            return 1;
        }
        files.push_back(&data[f]);
    }
    const TimeAlignment alignment = alignTimes(files);
    std::vector<DocumentStatistics> stats;
    stats.reserve(files.size());
    for (std::size_t f = 0; f < files.size(); ++f) {
        StatsArgs own = options.stats;
        if (own.from)
            own.from = alignment.toFileTime(files, f, *own.from);
        if (own.to)
            own.to = alignment.toFileTime(files, f, *own.to);
        stats.push_back(documentStatistics(data[f], statsRange(data[f], own), own.options));
    }
    std::vector<ComparedFile> compared;
    for (std::size_t f = 0; f < files.size(); ++f)
        compared.push_back({files[f], &stats[f]});
    const ComparisonSummary summary = compareFirstChannels(compared);

    if (options.json) {
        out << "{\"files\":[";
        for (std::size_t f = 0; f < files.size(); ++f) {
            if (f > 0)
                out << ",";
            writeGraphJson(out, data[f], stats[f], false);
        }
        out << "],\"summary\":";
        writeSummaryJson(out, summary, options.files);
        out << "}\n";
        return 0;
    }
    for (std::size_t f = 0; f < files.size(); ++f) {
        out << "File: " << options.files[f] << "\n";
        printSummary(out, data[f], stats[f]);
        out << "\n";
    }
    out << "Comparison of the first channel:\n";
    for (const SummaryLine& line : summaryLines(summary, compared, options.files))
        out << "  " << line.label << ": " << line.text << "\n";
    return 0;
}

} // namespace

int runInspect(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    const std::optional<Options> options = parseOptions(args, err);
    if (!options)
        return 2;

    if (options->files.size() > 1) {
        const int status = inspectSeveral(*options, out, err);
        out.flush();
        return status;
    }
    GraphData data;
    const ReadResult read = readDataFile(options->files.front(), data);
    if (!readOutcomeAccepted(read, data, err, kPrefix))
        return 1;

    std::string readout;
    if (options->readout) {
        const std::size_t last = static_cast<std::size_t>(data.readingCount - 1);
        if (*options->readout > last) {
            err << "velmora-cli inspect: reading " << *options->readout << " is not in the file (readings 0 to " << last
                << ")\n";
            return 1;
        }
        readout = cp1252ToUtf8(readoutText(data, *options->readout));
    }

    if (options->readout && options->json)
        out << "{\"reading\":" << *options->readout << ",\"readout\":" << jsonString(readout) << "}\n";
    else if (options->readout)
        out << readout << "\n";
    else if (options->json)
        writeGraphJson(out, data, documentStatistics(data, statsRange(data, options->stats), options->stats.options));
    else
        printSummary(out, data, documentStatistics(data, statsRange(data, options->stats), options->stats.options));
    out.flush();
    return 0;
}

} // namespace velmora
