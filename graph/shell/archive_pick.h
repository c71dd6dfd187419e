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

// Writes the file of `d` into `folder` (a folder of its own per deployment, under the
// file's own name) and returns its path. The bytes must still have the SHA-256 they
// were added with. StoreError with a message for the user otherwise.
std::string extractDeploymentFile(ArchiveStore& store, const Deployment& d, const std::string& folder);

} // namespace velmora
