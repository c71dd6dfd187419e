#pragma once
// What the chart shows of the document's files: each file, or with Join Deployments
// one series for each logger's files that follow each other, and the spread between
// them when asked for. The statistics panel is given the same files, so its columns
// and summary are what the chart shows. Owns the joins and the spread, which the view
// and the panel point into: keep it until both show something else.
#include <QString>
#include <memory>
#include <string>
#include <vector>

#include "chart_data_set.h"
#include "chart_files.h"
#include "deployment_join.h"
#include "time_alignment.h"

namespace velmora {

struct ChartContents {
    std::vector<ChartFile> files;                  // as the chart binds them, the first file's first
    std::vector<std::vector<std::size_t>> members; // of each, the document's files it shows
    TimeAlignment alignment;                       // of `files`
    JoinedFiles joined;
    std::unique_ptr<ChartDataSet> spreadData; // empty unless the spread is shown
    ChartSpread spread;

    std::vector<const GraphData*> data() const;
    std::vector<std::string> names() const; // the legend's titles, UTF-8
    std::vector<double> offsets() const;
};

// `files`, `paths` and `sides` as the document gives them (the opened file first).
ChartContents chartContents(const std::vector<const GraphData*>& files, const std::vector<std::string>& paths,
                            const std::vector<AxisSide>& sides, bool join, bool withSpread);

} // namespace velmora
