#pragma once
// The report of several files compared: the overlay chart as printed, a statistics
// row per file (its first channel), the comparison summary, and each file's name,
// size and SHA-256. The table and the files run on to more pages when they do not fit.
#include <QPageSize>
#include <QRectF>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "chart.h"
#include "chart_files.h"
#include "document_statistics.h"
#include "file_fingerprint.h"
#include "time_alignment.h"

class QPainter;

namespace velmora {

struct ComparisonReportContent {
    std::vector<const GraphData*> files;
    std::vector<std::string> names; // UTF-8, one per file
    std::vector<DocumentStatistics> stats;
    std::vector<FileFingerprint> fingerprints;
    Chart chart; // the overlay chart as printed
};

// The files a comparison report is made from, read again with their fingerprints (so
// that figures and fingerprints come from the same bytes), each placed on the value
// axis the viewer puts it on, and their times aligned.
struct ComparisonFiles {
    std::vector<std::string> paths;
    std::vector<std::unique_ptr<GraphData>> data;
    std::vector<FileFingerprint> fingerprints;
    // How the rows, the legend and the summary name each file: its file name unless
    // the caller names it otherwise (an archive's deployment, say).
    std::vector<std::string> names;
    std::vector<AxisSide> sides;
    TimeAlignment alignment; // offsets from the first file's first reading

    std::vector<const GraphData*> documents() const;
};

// Whether the caller takes what the reader made of file `file` (told the user why
// not, when not).
using ComparisonReadCheck = std::function<bool(std::size_t file, const ReadResult& read, const GraphData& data)>;

// Reads `paths` in order into `files`. False at the first file `accepted` does not
// take (`error` empty: the check has told the user) or whose unit fits neither value
// axis (`error` names it).
bool readComparisonFiles(const std::vector<std::string>& paths, const ComparisonReadCheck& accepted,
                         ComparisonFiles& files, std::string& error);

// The report's figures: file `f` over the readings `rangeOf(f)`. The caller adds the
// chart: the viewer's as printed, or comparisonReportChart.
ComparisonReportContent comparisonContent(const ComparisonFiles& files,
                                          const std::function<ReadingRange(std::size_t)>& rangeOf,
                                          const StatisticsOptions& options);

// The overlay chart of `files` laid out as the print page lays it out: the files
// bound as the viewer binds several, the value axes including zero.
Chart comparisonReportChart(const ComparisonFiles& files);

// Writes the report to `path` as writeReportPages does, refusing a path that is one
// of the files.
bool writeComparisonReport(const std::string& path, const ComparisonFiles& files,
                           const ComparisonReportContent& content, QPageSize::PageSizeId paper, std::string& error);

void drawComparisonReport(QPainter& painter, const QRectF& area, double dotsPerMillimetre,
                          const ComparisonReportContent& content, const std::function<void()>& newPage);

} // namespace velmora
