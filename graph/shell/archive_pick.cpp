#include "archive_pick.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <limits>
#include <map>

#include "archive_query.h"
#include "archive_strings.h"
#include "atomic_file.h"
#include "file_bytes.h"

namespace velmora {

namespace fs = std::filesystem;

std::vector<ArchivedLogger> archivedLoggers(const std::vector<Deployment>& deployments)
{
    std::map<std::string, const Deployment*> latest;
    for (const Deployment& d : deployments) {
        const Deployment*& seen = latest[d.serial];
        if (!seen || d.firstUtc > seen->firstUtc || (d.firstUtc == seen->firstUtc && d.id > seen->id))
            seen = &d;
    }
    std::vector<ArchivedLogger> loggers;
    for (const auto& [serial, d] : latest)
        loggers.push_back({serial, d->name});
    return loggers;
}

std::vector<Deployment> deploymentsInRange(const std::vector<Deployment>& deployments, const std::string& serial,
                                           std::optional<std::int64_t> fromUtc, std::optional<std::int64_t> toUtc)
{
    std::vector<Deployment> found;
    for (const Deployment& d : deployments) {
        if (d.serial != serial || d.readingCount == 0)
            continue;
        if ((fromUtc && d.lastUtc < *fromUtc) || (toUtc && d.firstUtc > *toUtc))
            continue;
        found.push_back(d);
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const Deployment& a, const Deployment& b) { return a.firstUtc < b.firstUtc; });
    return found;
}

AxisRange rangeOnAxis(const std::vector<Deployment>& deployments, const std::vector<std::int64_t>& offsets,
                      std::optional<std::int64_t> fromUtc, std::optional<std::int64_t> toUtc)
{
    constexpr std::int64_t kEdge = std::numeric_limits<std::int64_t>::max() / 4;
    AxisRange range{-kEdge, kEdge};
    if (deployments.empty() || offsets.size() != deployments.size())
        return range;
    if (fromUtc)
        range.xMin = offsets.front() + (*fromUtc - deployments.front().firstUtc);
    if (toUtc)
        range.xMax = offsets.back() + (*toUtc - deployments.back().firstUtc);
    return range;
}

std::string extractDeploymentFile(ArchiveStore& store, const Deployment& d, const std::string& folder)
{
    const std::string id = std::to_string(d.id);
    const std::optional<std::string> bytes = storedFile(store, d.id);
    if (!bytes)
        throw StoreError(archivetext::fill(archivetext::kNoDeployment, {id}));
    if (Sha256::of(*bytes) != d.sha256)
        throw StoreError(archivetext::fill(archivetext::kFileDiffers, {id, d.fileName}));
    // The stored name is the file's own, without folders; anything else (a name from
    // a store someone else filled) must not lead outside the folder.
    std::string name = fs::path(d.fileName).filename().string();
    if (name.empty() || name == "." || name == "..")
        name = "deployment-" + id + ".txt";
    const fs::path place = fs::path(folder) / id;
    std::error_code made;
    fs::create_directories(place, made);
    const std::string path = (place / name).string();
    if (const int error = writeFileAtomically(path, bytes->data(), bytes->size()); error != 0)
        throw StoreError(archivetext::fill(archivetext::kCannotWrite, {path, std::strerror(error)}));
    return path;
}

} // namespace velmora
