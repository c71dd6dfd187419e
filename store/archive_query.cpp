#include "archive_query.h"

#include <algorithm>
#include <queue>

#include "archive_strings.h"
#include "file_bytes.h"

namespace velmora {

void forEachReading(ArchiveStore& store, const std::vector<Deployment>& deployments, std::int64_t fromUtc,
                    std::int64_t toUtc, const std::function<void(const StoredReading&)>& each)
{
    // Each deployment's readings come in time order; a merge keeps them so across
    // deployments without sorting them all.
    struct Head {
        StoredReading reading;
        std::size_t source;
    };
    auto later = [](const Head& a, const Head& b) {
        return a.reading.timeUtc != b.reading.timeUtc ? a.reading.timeUtc > b.reading.timeUtc
                                                      : a.reading.deployment > b.reading.deployment;
    };
    std::vector<std::unique_ptr<ReadingCursor>> cursors;
    std::priority_queue<Head, std::vector<Head>, decltype(later)> heads(later);
    for (const Deployment& d : deployments) {
        if (d.readingCount == 0 || d.lastUtc < fromUtc || d.firstUtc > toUtc)
            continue;
        // Within the deployment's own span: an open end asks for no instant an engine
        // cannot hold.
        cursors.push_back(store.readings(d.id, std::max(fromUtc, d.firstUtc), std::min(toUtc, d.lastUtc)));
        Head h{{}, cursors.size() - 1};
        if (cursors.back()->next(h.reading))
            heads.push(h);
    }
    if (heads.size() == 1) { // one deployment: no merging
        Head h = heads.top();
        do
            each(h.reading);
        while (cursors[h.source]->next(h.reading));
        return;
    }
    while (!heads.empty()) {
        Head h = heads.top();
        heads.pop();
        each(h.reading);
        if (cursors[h.source]->next(h.reading))
            heads.push(h);
    }
}

std::optional<std::string> storedFile(ArchiveStore& store, std::int64_t deployment)
{
    const std::optional<std::string> packed = store.compressedFile(deployment);
    if (!packed)
        return std::nullopt;
    std::optional<std::string> bytes = decompress(*packed);
    if (!bytes)
        throw StoreError(
            archivetext::fill(archivetext::kStoreFailed,
                              {store.where(), "the file of deployment " + std::to_string(deployment) + " is damaged"}));
    return bytes;
}

std::vector<Deployment> tamperedFiles(ArchiveStore& store)
{
    std::vector<Deployment> tampered;
    for (Deployment& d : store.deployments(std::nullopt)) {
        const std::optional<std::string> packed = store.compressedFile(d.id);
        const std::optional<std::string> bytes = packed ? decompress(*packed) : std::nullopt;
        if (!bytes || Sha256::of(*bytes) != d.sha256)
            tampered.push_back(std::move(d));
    }
    return tampered;
}

} // namespace velmora
