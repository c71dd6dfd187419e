#include "report_command.h"

#include <QGuiApplication>
#include <memory>

#include "comparison_report.h"
#include "read_outcome.h"
#include "report_writer.h"
#include "stats_args.h"
#include "time_alignment.h"
#include "unit_axes.h"

namespace velmora {

namespace {

constexpr const char* kUsage =
    "usage: velmora-cli report [--from \"DD/MM/YYYY HH:MM:SS\"] [--to \"DD/MM/YYYY HH:MM:SS\"]\n"
    "                          [--activation-energy KJ_PER_MOL] FILE... OUT.pdf\n";
const std::string kPrefix = "velmora-cli report: ";

// Fonts and painting need a GUI application; the offscreen platform gives one without
// a display, so the command runs the same on a headless machine.
std::unique_ptr<QGuiApplication> guiApplication()
{
    if (QCoreApplication::instance())
        return nullptr;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Without a desktop session (a script, a service) Qt remarks that it has no
    // runtime folder; the report does not need one, and scripts read standard error.
    static const QtMessageHandler previous = qInstallMessageHandler(nullptr);
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& message) {
        if (!message.startsWith(QLatin1String("QStandardPaths:")) && previous)
            previous(type, context, message);
    });
    static int argc = 1;
    static char name[] = "velmora-cli";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

} // namespace

int writeNamedFilesReport(const std::vector<NamedReportFile>& inputs, const std::string& out,
                          const FileStatsArgs& statsOf, std::ostream& err)
{
    const std::unique_ptr<QGuiApplication> app = guiApplication();
    ComparisonReportContent content;
    std::vector<GraphData> data(inputs.size());
    content.fingerprints.resize(inputs.size());
    UnitAxes axes;
    std::vector<ChartFile> chartFiles;
    std::vector<std::string> paths;
    for (std::size_t f = 0; f < inputs.size(); ++f) {
        const std::string& path = inputs[f].path;
        paths.push_back(path);
        const ReadResult read = readFingerprinted(path, data[f], content.fingerprints[f]);
        if (!readOutcomeAccepted(read, data[f], err, kPrefix + path + ": ")) {
            err << kPrefix << "cannot read " << path << "\n";
            return 1;
        }
        const std::optional<AxisSide> side = axes.place(data[f].channel1.unit);
        if (!side) {
            err << axes.refusal(path, data[f].channel1.unit) << "\n";
            return 1;
        }
        if (f == 0 && data[f].channel2.present)
            axes.reserveRight(data[f].channel2.unit);
        content.files.push_back(&data[f]);
        content.names.push_back(inputs[f].name.empty() ? content.fingerprints[f].name : inputs[f].name);
        if (!inputs[f].fileLine.empty())
            content.fingerprints[f].name = inputs[f].fileLine;
        chartFiles.push_back(
            {&data[f], chartFileTitle(QString::fromStdString(content.names[f]), data[f].serialNumber), *side});
    }
    const TimeAlignment alignment = alignTimes(content.files);
    for (std::size_t f = 0; f < inputs.size(); ++f) {
        const StatsArgs own = statsOf(f, content.files, alignment);
        content.stats.push_back(documentStatistics(data[f], statsRange(data[f], own), own.options));
    }
    content.chart = comparisonReportChart(chartFiles, alignment.fromEarliest());
    std::string error;
    const bool written = writeReportPages(
        out, paths, localePaper(),
        [&](QPainter& painter, const QRectF& area, double mm, const std::function<void()>& newPage) {
            drawComparisonReport(painter, area, mm, content, newPage);
        },
        error);
    if (!written) {
        err << error << "\n";
        return 1;
    }
    return 0;
}

int runReport(const std::vector<std::string>& args, std::ostream& err)
{
    StatsArgs stats;
    std::vector<std::string> files;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (!optionsEnded && a == "--") {
            optionsEnded = true;
            continue;
        }
        const ArgOutcome taken = optionsEnded ? ArgOutcome::NotMine : takeStatsArg(args, i, stats, err, kPrefix);
        if (taken == ArgOutcome::Bad) {
            err << kUsage;
            return 2;
        }
        if (taken == ArgOutcome::Taken)
            continue;
        if (!optionsEnded && a.size() > 1 && a[0] == '-') {
            err << kPrefix << "unknown option " << a << "\n" << kUsage;
            return 2;
        }
        files.push_back(a);
    }
    if (files.size() < 2) {
        err << kUsage;
        return 2;
    }
    if (!checkStatsArgs(stats, err, kPrefix)) {
        err << kUsage;
        return 2;
    }

    const std::unique_ptr<QGuiApplication> app = guiApplication();
    if (files.size() > 2) {
        // --from and --to are on the first file's clock, as in inspect.
        std::vector<NamedReportFile> inputs;
        for (auto f = files.begin(); f != files.end() - 1; ++f)
            inputs.push_back({*f, "", ""});
        return writeNamedFilesReport(
            inputs, files.back(),
            [&](std::size_t f, const std::vector<const GraphData*>& data, const TimeAlignment& alignment) {
                StatsArgs own = stats;
                if (own.from)
                    own.from = alignment.toFileTime(data, f, *own.from);
                if (own.to)
                    own.to = alignment.toFileTime(data, f, *own.to);
                return own;
            },
            err);
    }
    GraphData data;
    FileFingerprint fingerprint;
    const ReadResult read = readFingerprinted(files[0], data, fingerprint);
    if (!readOutcomeAccepted(read, data, err, kPrefix))
        return 1;

    const ReadingRange range = statsRange(data, stats);
    ReportContent content = reportContent(data, range, stats.options);
    content.chart = reportChart(data, range);
    content.file = fingerprint;
    std::string error;
    if (!writeReportPdf(files[1], files[0], content, localePaper(), error)) {
        err << error << "\n";
        return 1;
    }
    return 0;
}

} // namespace velmora
