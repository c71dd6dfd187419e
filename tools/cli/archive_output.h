#pragma once
// What velmora-cli's archive list and readings print: deployments a line each (tab
// between fields) or as JSON; readings as CSV with a header row or as JSON.
#include <cstdint>
#include <ostream>
#include <vector>

#include "archive_store.h"

namespace velmora {

void writeDeployments(const std::vector<Deployment>& deployments, bool json, std::ostream& out);

// The readings of `deployments` from `fromUtc` to `toUtc`, in time order; each with its
// deployment, its instant, its local time in the deployment's zone and its values in
// the file's order (null, or an empty CSV field, for "Error").
void writeReadings(ArchiveStore& store, const std::vector<Deployment>& deployments, std::int64_t fromUtc,
                   std::int64_t toUtc, bool json, std::ostream& out);

} // namespace velmora
