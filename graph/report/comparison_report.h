#pragma once
// The report of several files compared: the overlay chart as printed, a statistics
// row per file (its first channel), the comparison summary, and each file's name,
// size and SHA-256. The table and the files run on to more pages when they do not fit.
#include <QRectF>
#include <functional>
#include <string>
#include <vector>

#include "chart.h"
#include "chart_files.h"
#include "document_statistics.h"
#include "file_fingerprint.h"

class QPainter;

namespace velmora {

struct ComparisonReportContent {
    std::vector<const GraphData*> files;
    std::vector<std::string> names; // UTF-8, one per file
    std::vector<DocumentStatistics> stats;
    std::vector<FileFingerprint> fingerprints;
    Chart chart; // the overlay chart as printed
};

// The overlay chart of `files` laid out as the print page lays it out: the files
// bound as the viewer binds several, the value axes including zero.
Chart comparisonReportChart(const std::vector<ChartFile>& files, const TimeAlignment& alignment);

void drawComparisonReport(QPainter& painter, const QRectF& area, double dotsPerMillimetre,
                          const ComparisonReportContent& content, const std::function<void()>& newPage);

} // namespace velmora
