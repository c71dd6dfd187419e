#pragma once
// The one-page report: the logger (name, serial number, interval, first and last
// reading, count), the chart as it is printed (the print page's own drawing), the
// statistics table, the alarm levels, and a footer naming the download file with its
// size and SHA-256 in full. Drawn into any QPainter; the PDF writer and the tests
// give it theirs.
#include <QRectF>
#include <vector>

#include "chart.h"
#include "document_statistics.h"
#include "file_fingerprint.h"

class QPainter;

namespace velmora {

struct ReportContent {
    const GraphData* data = nullptr;
    Chart chart;                   // the print chart
    DocumentStatistics stats;      // over the range the report covers
    std::vector<LevelSpan> levels; // the alarm levels over that range
    FileFingerprint file;
    double activationEnergy = kDefaultActivationEnergy;
};

// The figures and levels of `data` over `range`; the caller adds the chart and the
// fingerprint.
ReportContent reportContent(const GraphData& data, const ReadingRange& range, const StatisticsOptions& options);

// The chart a report shows when there is no screen chart to copy (velmora-cli): the
// document bound as the viewer binds it, X limited to `range`, value axes including
// zero, laid out as the print page lays it out.
Chart reportChart(const GraphData& data, const ReadingRange& range);

// Draws the report on a page whose printable area is `area`, in device pixels of
// `dotsPerMillimetre`.
void drawReportPage(QPainter& painter, const QRectF& area, double dotsPerMillimetre, const ReportContent& content);

} // namespace velmora
