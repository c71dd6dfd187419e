#pragma once
// velmora-cli report [--from T] [--to T] [--activation-energy KJ_PER_MOL] FILE... OUT.pdf
//
// The viewer's "Save Report as PDF..." without a window: a one-page report of FILE
// over the range (the whole file by default), drawn on Qt's offscreen platform. Given
// several files, the report compares them (an overlay chart, a row per file, the
// summary, each file's fingerprint) on as many pages as it takes.
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "stats_args.h"
#include "time_alignment.h"

namespace velmora {

// One file of a several-file report and how the report names it: `name` in its row,
// the chart's legend and the summary, `fileLine` where its size and SHA-256 are
// listed; the file's own name where either is empty.
struct NamedReportFile {
    std::string path;
    std::string name;
    std::string fileLine;
};

// What the statistics of file `f` cover, in that file's own clock.
using FileStatsArgs =
    std::function<StatsArgs(std::size_t f, const std::vector<const GraphData*>& files, const TimeAlignment& alignment)>;

// The several-file report of `files` into `out` (the overlay chart, a row per file,
// the summary, each file's size and SHA-256). 0 written, 1 a failure (said on `err`).
int writeNamedFilesReport(const std::vector<NamedReportFile>& files, const std::string& out,
                          const FileStatsArgs& statsOf, std::ostream& err);

// `args` are the words after "report". Returns 0 written, 1 a failure (said on `err`),
// 2 a usage error.
int runReport(const std::vector<std::string>& args, std::ostream& err);

} // namespace velmora
