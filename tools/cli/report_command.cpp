#include "report_command.h"

#include <QGuiApplication>
#include <memory>

#include "comparison_report.h"
#include "read_outcome.h"
#include "report_writer.h"
#include "stats_args.h"

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
    std::vector<std::string> paths;
    for (const NamedReportFile& input : inputs)
        paths.push_back(input.path);
    ComparisonFiles files;
    std::string error;
    const auto accepted = [&](std::size_t f, const ReadResult& read, const GraphData& data) {
        if (readOutcomeAccepted(read, data, err, kPrefix + paths[f] + ": "))
            return true;
        err << kPrefix << "cannot read " << paths[f] << "\n";
        return false;
    };
    if (!readComparisonFiles(paths, accepted, files, error)) {
        if (!error.empty())
            err << error << "\n";
        return 1;
    }
    for (std::size_t f = 0; f < inputs.size(); ++f)
        if (!inputs[f].name.empty())
            files.names[f] = inputs[f].name;
    const std::vector<const GraphData*> documents = files.documents();
    std::vector<StatsArgs> own;
    for (std::size_t f = 0; f < inputs.size(); ++f)
        own.push_back(statsOf(f, documents, files.alignment));
    ComparisonReportContent content = comparisonContent(
        files, [&](std::size_t f) { return statsRange(*documents[f], own[f]); }, own.front().options);
    for (std::size_t f = 0; f < inputs.size(); ++f)
        if (!inputs[f].fileLine.empty())
            content.fingerprints[f].name = inputs[f].fileLine;
    content.chart = comparisonReportChart(files);
    if (!writeComparisonReport(out, files, content, localePaper(), error)) {
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
