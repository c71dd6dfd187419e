#pragma once
// Reading the archive back: one logger's readings in time order across its
// deployments, each deployment's file as it was added, and the proof that it still is.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "archive_store.h"

namespace velmora {

// Calls `each` with the readings of `deployments` from `fromUtc` to `toUtc` in time
// order; readings at the same instant (overlapping deployments) by deployment id.
void forEachReading(ArchiveStore& store, const std::vector<Deployment>& deployments, std::int64_t fromUtc,
                    std::int64_t toUtc, const std::function<void(const StoredReading&)>& each);

// The file of a deployment, byte for byte; nothing when there is no such deployment.
// StoreError when its stored bytes are damaged.
std::optional<std::string> storedFile(ArchiveStore& store, std::int64_t deployment);

// The deployments whose stored file no longer has its SHA-256 (or cannot be unpacked).
std::vector<Deployment> tamperedFiles(ArchiveStore& store);

} // namespace velmora
