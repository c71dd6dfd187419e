#pragma once
// What File > Open from Archive... works out without a window: the loggers a store
// holds, the deployments of one in a time range, and a deployment's own download file
// taken out of the store so the viewer opens it as any other file (the same reader,
// view, footer, statistics, export and report). Plain C++.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "archive_store.h"

namespace velmora {

struct ArchivedLogger {
    std::string serial;
    std::string name; // as its latest deployment names it

    bool operator==(const ArchivedLogger&) const = default;
};

// One entry a serial number, in the order of the serial numbers.
std::vector<ArchivedLogger> archivedLoggers(const std::vector<Deployment>& deployments);

// The deployments of `serial` with a reading from `fromUtc` to `toUtc` (both
// included; nullopt leaves that end open), by first reading.
std::vector<Deployment> deploymentsInRange(const std::vector<Deployment>& deployments, const std::string& serial,
                                           std::optional<std::int64_t> fromUtc, std::optional<std::int64_t> toUtc);

// What File > Open from Archive... opens: one deployment, or every one of a logger
// with readings in a time range, on one chart with the view on that range.
struct ArchiveChoice {
    std::vector<Deployment> deployments;        // by first reading
    std::optional<std::int64_t> fromUtc, toUtc; // the range asked for, when one was
};

// The range from `fromUtc` to `toUtc` on the chart's time axis, where deployment f's
// file starts `offsets[f]` seconds along it and its reading i lies i intervals after
// its first, as its instants do. Each end is placed in the deployment that holds it
// (the first for the start, the last for the end); an open end is the chart's edge.
struct AxisRange {
    std::int64_t xMin = 0;
    std::int64_t xMax = 0;
};
AxisRange rangeOnAxis(const std::vector<Deployment>& deployments, const std::vector<std::int64_t>& offsets,
                      std::optional<std::int64_t> fromUtc, std::optional<std::int64_t> toUtc);

// Writes the file of `d` into `folder` (a folder of its own per deployment, under the
// file's own name) and returns its path. The bytes must still have the SHA-256 they
// were added with. StoreError with a message for the user otherwise.
std::string extractDeploymentFile(ArchiveStore& store, const Deployment& d, const std::string& folder);

} // namespace velmora
