#include "archive_query.h"

#include "archive_strings.h"
#include "file_bytes.h"

namespace velmora {

void forEachReading(ArchiveStore& store, const std::vector<Deployment>& deployments, std::int64_t fromUtc,
                    std::int64_t toUtc, const std::function<void(const StoredReading&)>& each)
{
    std::unique_ptr<ReadingCursor> cursor = store.readingsInOrder(deployments, fromUtc, toUtc);
    StoredReading r;
    while (cursor->next(r))
        each(r);
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
