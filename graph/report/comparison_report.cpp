#include "comparison_report.h"

#include "comparison_table.h"
#include "comparison_text.h"
#include "graph_strings.h"
#include "page_writer.h"
#include "print_page.h"
#include "report_writer.h"
#include "unit_axes.h"

namespace velmora {

using page::fixedFont;
using page::font;
using page::PageWriter;
using page::text;
using page::utf8;
using page::withArgs;

namespace {

// The figures a file's row shows, of the one-file table's rows.
constexpr std::string_view kRowFigures[] = {graphtext::kStatReadings, graphtext::kStatMinimum, graphtext::kStatMaximum,
                                            graphtext::kStatMean, graphtext::kStatLongestAboveHigh};

// One row per file: the comparison table (a column per file) turned round.
StatisticsTable rowPerFile(const StatisticsTable& byFile, const std::vector<std::string>& names)
{
    StatisticsTable t;
    for (std::string_view figure : kRowFigures)
        t.columns.emplace_back(figure);
    for (std::size_t f = 0; f < names.size(); ++f) {
        StatisticsTable::Row row{names[f], {}};
        for (std::string_view figure : kRowFigures) {
            std::string cell(graphtext::kStatNotApplicable);
            for (const StatisticsTable::Row& r : byFile.rows)
                if (r.label == figure && f < r.cells.size())
                    cell = r.cells[f];
            row.cells.push_back(cell);
        }
        t.rows.push_back(std::move(row));
    }
    return t;
}

} // namespace

std::vector<const GraphData*> ComparisonFiles::documents() const
{
    std::vector<const GraphData*> documents;
    for (const std::unique_ptr<GraphData>& d : data)
        documents.push_back(d.get());
    return documents;
}

bool readComparisonFiles(const std::vector<std::string>& paths, const ComparisonReadCheck& accepted,
                         ComparisonFiles& files, std::string& error)
{
    files = ComparisonFiles{};
    files.paths = paths;
    for (std::size_t f = 0; f < paths.size(); ++f) {
        files.data.push_back(std::make_unique<GraphData>());
        files.fingerprints.emplace_back();
        const ReadResult read = readFingerprinted(paths[f], *files.data.back(), files.fingerprints.back());
        if (!accepted(f, read, *files.data.back())) {
            error.clear();
            return false;
        }
    }
    const AxisPlan axes = planChartAxes(files.documents(), paths);
    if (axes.refused) {
        error = axes.message;
        return false;
    }
    files.sides = axes.axes;
    for (const FileFingerprint& fingerprint : files.fingerprints)
        files.names.push_back(fingerprint.name);
    files.alignment = alignTimes(files.documents());
    return true;
}

ComparisonReportContent comparisonContent(const ComparisonFiles& files,
                                          const std::function<ReadingRange(std::size_t)>& rangeOf,
                                          const StatisticsOptions& options)
{
    ComparisonReportContent content;
    content.files = files.documents();
    content.fingerprints = files.fingerprints;
    for (std::size_t f = 0; f < files.data.size(); ++f) {
        content.names.push_back(files.names[f]);
        content.stats.push_back(documentStatistics(*files.data[f], rangeOf(f), options));
    }
    return content;
}

Chart comparisonReportChart(const ComparisonFiles& files)
{
    std::vector<ChartFile> chartFiles;
    for (std::size_t f = 0; f < files.data.size(); ++f)
        chartFiles.push_back(
            {files.data[f].get(),
             chartFileTitle(QString::fromStdString(files.names[f]), files.data[f]->serialNumber),
             files.sides[f]});
    Chart screen;
    bindChartFiles(screen, chartFiles, files.alignment.fromEarliest(), {});
    return makePrintChart(screen, *files.data.front(), false);
}

bool writeComparisonReport(const std::string& path, const ComparisonFiles& files,
                           const ComparisonReportContent& content, QPageSize::PageSizeId paper, std::string& error)
{
    return writeReportPages(
        path, files.paths, paper,
        [&](QPainter& painter, const QRectF& area, double mm, const std::function<void()>& newPage) {
            drawComparisonReport(painter, area, mm, content, newPage);
        },
        error);
}

void drawComparisonReport(QPainter& painter, const QRectF& area, double dotsPerMillimetre,
                          const ComparisonReportContent& content, const std::function<void()>& newPage)
{
    PageWriter page(painter, area, dotsPerMillimetre);
    painter.save();
    painter.setPen(QPen(Qt::black, page.mm(0.2)));
    const QFont small = font(8);
    const QFont section = font(10, true);
    const auto room = [&](double height) {
        if (page.y() + height <= area.bottom())
            return;
        newPage();
        page.moveTo(area.top());
    };

    page.line(text(graphtext::kReportTitle), font(16, true));
    page.line(content.files.size() == 1 ? text(graphtext::kReportComparisonOfOne)
                                        : withArgs(graphtext::kReportComparison, QString::number(content.files.size())),
              font(9));
    page.skip(2);
    const double chartHeight = area.width() * kPrintPageHeight / kPrintPageWidth * 0.8;
    drawPrintPage(painter, QRectF(area.left(), page.y(), area.width(), chartHeight).toRect(), content.chart);
    page.moveTo(page.y() + chartHeight + page.mm(3));

    std::vector<ComparedFile> compared;
    for (std::size_t f = 0; f < content.files.size(); ++f)
        compared.push_back({content.files[f], &content.stats[f]});
    const StatisticsTable table = rowPerFile(comparisonTable(compared, content.names), content.names);

    // The table in pieces of what fits, its titles over each piece.
    const double row = page.lineHeight(small) * 1.3;
    page.line(text(graphtext::kReportStatistics), section);
    std::size_t next = 0;
    while (next < table.rows.size()) {
        room(row * 2);
        const auto fit = static_cast<std::size_t>(std::max(1.0, (area.bottom() - page.y()) / row - 1.0));
        StatisticsTable piece{table.columns, {}};
        for (; next < table.rows.size() && piece.rows.size() < fit; ++next)
            piece.rows.push_back(table.rows[next]);
        page.table(piece, small);
    }
    page.skip(3);

    const std::vector<SummaryLine> summary = summaryLines(compareFirstChannels(compared), compared, content.names);
    room(page.lineHeight(section) + page.lineHeight(small) * static_cast<double>(summary.size()));
    page.line(text(graphtext::kReportSummary), section);
    for (const SummaryLine& line : summary)
        page.line(utf8(line.label) + QStringLiteral(": ") + utf8(line.text), small);
    page.skip(3);

    room(page.lineHeight(section) + page.lineHeight(small) * 2);
    page.line(text(graphtext::kReportFiles), section);
    for (const FileFingerprint& f : content.fingerprints) {
        room(page.lineHeight(small) * 2 + page.mm(1));
        page.line(QString::fromStdString(f.name) + QStringLiteral(", ") +
                      withArgs(graphtext::kReportBytes, QString::number(f.size)),
                  small);
        page.line(text(graphtext::kReportSha256) + QStringLiteral(": ") + utf8(f.sha256), fixedFont(8));
        page.skip(1);
    }
    painter.restore();
}

} // namespace velmora
