#pragma once
// Adding a download file to the archive: read as the viewer reads it, each reading's
// instant worked out from the first one's local time in the zone the logger was
// started in, the file's bytes hashed and compressed on the way, all in one of the
// store's all-or-nothing adds.
#include <cstdint>
#include <optional>
#include <string>

#include "archive_store.h"

namespace velmora {

struct AddRequest {
    std::string path;
    std::string zone; // a name zoneExists() knows
    std::string addedBy;
    std::string addedHost;
    std::int64_t now = 0; // the add's instant: added_utc, and how a repeated first hour resolves
    std::optional<int> loggerType;
};

enum class AddStatus {
    Added,
    AlreadyArchived,
    Refused, // the file is not taken: `message` says why, and nothing was added
};

struct AddOutcome {
    AddStatus status = AddStatus::Refused;
    std::int64_t deployment = 0;
    std::int64_t readings = 0;
    std::string message;
    std::string warning; // taken, but: the last line has no line end
};

// Throws StoreError when the store fails; the store is then as it was.
AddOutcome addDownloadFile(ArchiveStore& store, const AddRequest& request);

} // namespace velmora
