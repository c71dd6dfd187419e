#pragma once
// The first channel compared across files: which file reached the highest and the
// lowest reading and when, which had the highest and the lowest mean, and which
// stayed longest above its high alarm. Only files whose first channel has the first
// file's unit take part (a humidity logger is no rival of a thermometer); a file
// without readings in its range takes no part either. Ties go to the earlier file.
#include <cstdint>
#include <optional>
#include <vector>

#include "document_statistics.h"
#include "graph_data.h"

namespace velmora {

struct ComparedFile {
    const GraphData* data = nullptr;
    const DocumentStatistics* stats = nullptr; // over the file's range
};

struct ExtremeOfFiles {
    std::size_t file = 0; // index into the files compared
    double value = 0;
    std::int64_t time = 0; // the reading's stamp in the file's own clock
};

struct MeanOfFiles {
    std::size_t file = 0;
    double mean = 0;
};

struct LongestAboveHigh {
    std::size_t file = 0;
    std::int64_t seconds = 0; // the longest run of consecutive readings above the level, × interval
};

struct ComparisonSummary {
    std::optional<ExtremeOfFiles> hottest; // the highest maximum
    std::optional<ExtremeOfFiles> coldest; // the lowest minimum
    std::optional<MeanOfFiles> warmestMean;
    std::optional<MeanOfFiles> coolestMean;
    std::optional<LongestAboveHigh> longestAboveHigh; // none when no file has a high alarm column
};

ComparisonSummary compareFirstChannels(const std::vector<ComparedFile>& files);

// The first channel's report in `stats`, if it has one.
const SeriesReport* firstChannelReport(const DocumentStatistics& stats);

} // namespace velmora
