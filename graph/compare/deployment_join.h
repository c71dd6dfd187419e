#pragma once
// Files of one logger that follow each other (consecutive deployments, or a second
// download of a logger that ran on) shown as one series: their readings laid on one
// grid of the logger's interval, a gap where no file holds a reading, so no line is
// ever drawn across the time between deployments.
//
// Files are joined when they name the same serial number, read the same first-channel
// unit and interval, and their readings fall on one grid (start times a whole number
// of intervals apart). Others stay on their own: one series has one interval, and
// moving readings onto another grid would invent or shift them.
//
// Where files overlap, the one that starts later wins at every reading it holds: a
// logger keeps one record at a time, so the later file was downloaded later, and a
// download without a restart repeats the earlier readings before adding new ones.
// The earlier file keeps every reading the later one does not cover. Plain C++.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "graph_data.h"

namespace velmora {

struct ShownFile {
    const GraphData* data = nullptr;  // the file itself, or the join it belongs to
    std::int64_t offset = 0;          // seconds from the axis's time base to its first reading
    std::vector<std::size_t> members; // the files it shows, in the order given
};

struct JoinedFiles {
    std::vector<ShownFile> shown;                  // in the order of each one's first file
    std::vector<std::unique_ptr<GraphData>> joins; // owned; `shown` points into them
};

// `files` and `offsets` (as TimeAlignment places them) in the same order.
JoinedFiles joinDeployments(const std::vector<const GraphData*>& files, const std::vector<std::int64_t>& offsets);

} // namespace velmora
