#pragma once
// Several files' readings on one time axis. A file's stamps are its logger's wall
// clock, set from the computer when it was started and then run on without daylight
// saving; the reader places reading i at the start plus i intervals. So each file's
// start is read as local time once, in the computer's zone, and its readings follow
// it by whole intervals: a change of the clocks inside a file moves none of them.
// The axis is told in the first file's clock, so one file is placed as it always was.
#include <cstdint>
#include <vector>

#include "graph_data.h"

namespace velmora {

// The moment (seconds after 1970 UTC) a file's stamp `wallTime` (seconds after 1970
// without a zone) names in the computer's zone. A stamp the clocks skipped when they
// went forward is read with the offset in force before the change; one they repeated
// when they went back names its first occurrence.
std::int64_t stampInstant(std::int64_t wallTime);

struct TimeAlignment {
    std::int64_t timeBase = GraphData::kDefaultStart; // the first file's start, in its own clock
    // For each file, seconds from the time base to its first reading: its reading i
    // lies at X = offset + i × interval on the shared axis.
    std::vector<std::int64_t> offsets;

    // A time in the axis's clock (the first file's) as file `file`'s own stamp, and back.
    std::int64_t toFileTime(const std::vector<const GraphData*>& files, std::size_t file, std::int64_t axisTime) const;
    std::int64_t toAxisTime(const std::vector<const GraphData*>& files, std::size_t file, std::int64_t fileTime) const;

    // The same placing with the time base moved back to the earliest first reading,
    // so that no file starts before X = 0 (a chart's axis starts there).
    TimeAlignment fromEarliest() const;
};

TimeAlignment alignTimes(const std::vector<const GraphData*>& files);

} // namespace velmora
