#include "report_page.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>

#include "chart_binding.h"
#include "graph_strings.h"
#include "page_writer.h"
#include "print_page.h"
#include "statistics_text.h"
#include "text_encoding.h"

namespace velmora {

namespace {

using page::fixedFont;
using page::font;
using page::PageWriter;
using page::text;
using page::utf8;
using page::withArgs;

// "1 min (60 s)", "10 s".
QString intervalText(std::int64_t seconds)
{
    const QString whole = utf8(durationText(seconds));
    return seconds >= 60 ? whole + QStringLiteral(" (%1 s)").arg(seconds) : whole;
}

// The footer's lines: the file, its size and fingerprint, and how to check it.
struct FooterLines {
    QString file, sha, check;
};

FooterLines footerLines(const FileFingerprint& f)
{
    const QString name = QString::fromStdString(f.name);
    return {text(graphtext::kReportFile) + QStringLiteral(": ") + name + QStringLiteral(", ") +
                withArgs(graphtext::kReportBytes, QString::number(f.size)),
            text(graphtext::kReportSha256) + QStringLiteral(": ") + utf8(f.sha256),
            withArgs(graphtext::kReportCheck, name)};
}

} // namespace

ReportContent reportContent(const GraphData& data, const ReadingRange& range, const StatisticsOptions& options)
{
    ReportContent content;
    content.data = &data;
    content.stats = documentStatistics(data, range, options);
    content.levels = alarmLevels(data, range);
    content.activationEnergy = options.activationEnergy;
    return content;
}

Chart reportChart(const GraphData& data, const ReadingRange& range)
{
    Chart screen;
    bindChartData(screen, data, {});
    if (!range.empty) {
        const double interval = static_cast<double>(std::max<std::int64_t>(1, data.sampleInterval));
        const double first = static_cast<double>(range.first) * interval;
        // One reading has no span of its own: it is shown over one interval, as the
        // viewer draws a file of one reading over one second.
        const double last = std::max(static_cast<double>(range.last) * interval, first + interval);
        screen.setAxisMinimum(Axis::X, first);
        screen.setAxisMaximum(Axis::X, last);
    }
    return makePrintChart(screen, data, false);
}

void drawReportPage(QPainter& painter, const QRectF& area, double dotsPerMillimetre, const ReportContent& content)
{
    const GraphData& data = *content.data;
    const DocumentStatistics& stats = content.stats;
    PageWriter page(painter, area, dotsPerMillimetre);
    painter.save();
    painter.setPen(QPen(Qt::black, page.mm(0.2)));

    page.line(text(graphtext::kReportTitle), font(16, true));
    page.skip(2);
    const QFont body = font(9);
    const std::int64_t interval = stats.interval;
    const QString serial =
        data.serialNumber.empty() ? text(graphtext::kReportNoSerialNumber) : utf8(cp1252ToUtf8(data.serialNumber));
    QString readings = QString::number(stats.range.size());
    if (stats.range.size() != static_cast<std::size_t>(data.fileReadingCount()))
        readings = withArgs(graphtext::kReportReadingsOfFile, readings, QString::number(data.fileReadingCount()));
    const QString first = stats.range.empty ? text(graphtext::kStatNotApplicable)
                                            : utf8(readingTimeText(readingTime(data, stats.range.first)));
    const QString last = stats.range.empty ? text(graphtext::kStatNotApplicable)
                                           : utf8(readingTimeText(readingTime(data, stats.range.last)));
    page.pairs({{text(graphtext::kReportLogger), utf8(cp1252ToUtf8(data.loggerName))},
                {text(graphtext::kReportSerialNumber), serial},
                {text(graphtext::kReportInterval), intervalText(interval)},
                {text(graphtext::kReportReadings), readings},
                {text(graphtext::kReportFirstReading), first},
                {text(graphtext::kReportLastReading), last}},
               body);
    page.skip(2);

    // Everything below the chart is laid out first, so the chart takes what is left
    // (at most its own 4:3 shape).
    const StatisticsTable table = statisticsTable(stats, data.startTime);
    const QFont small = font(8);
    const QFont section = font(10, true);
    const double tableHeight = page.lineHeight(small) * 1.3 * static_cast<double>(table.rows.size() + 1);
    const bool anyMkt = std::any_of(stats.series.begin(), stats.series.end(),
                                    [](const SeriesReport& s) { return s.stats.meanKinetic.has_value(); });
    const double levelsHeight =
        page.lineHeight(small) * static_cast<double>(std::max<std::size_t>(1, content.levels.size()));
    const double footerHeight = page.lineHeight(small) * 3 + page.mm(4);
    const double below = page.lineHeight(section) * 2 + tableHeight + (anyMkt ? page.lineHeight(small) : 0) +
                         levelsHeight + page.mm(12) + footerHeight;
    const double chartHeight =
        std::clamp(area.bottom() - page.y() - below, page.mm(40), area.width() * kPrintPageHeight / kPrintPageWidth);
    drawPrintPage(painter, QRectF(area.left(), page.y(), area.width(), chartHeight).toRect(), content.chart);
    page.moveTo(page.y() + chartHeight + page.mm(3));

    page.line(text(graphtext::kReportStatistics) +
                  (stats.range.empty ? QString()
                                     : QStringLiteral(", ") + utf8(rangeText(stats.range, data.startTime, interval))),
              section);
    if (stats.range.empty)
        page.line(text(graphtext::kNoReadingsInRange), small);
    else
        page.table(table, small);
    page.skip(1);
    if (anyMkt)
        page.line(withArgs(graphtext::kReportMeanKineticNote, QString::number(content.activationEnergy, 'g', 10)),
                  small);
    page.skip(3);

    page.line(text(graphtext::kReportAlarmLevels), section);
    if (content.levels.empty())
        page.line(text(graphtext::kReportNoAlarmLevels), small);
    for (const LevelSpan& l : content.levels)
        page.line(utf8(cp1252ToUtf8(l.channel) + " " + cp1252ToUtf8(l.level.label) + ": " +
                       levelSpanText(l, stats.range.size())),
                  small);

    // The footer stands at the foot of the page.
    const FooterLines footer = footerLines(content.file);
    page.moveTo(std::max(page.y() + page.mm(4), area.bottom() - footerHeight));
    page.rule();
    page.skip(1.5);
    page.line(footer.file, small);
    page.line(footer.sha, fixedFont(8));
    page.line(footer.check, small);
    painter.restore();
}

} // namespace velmora
