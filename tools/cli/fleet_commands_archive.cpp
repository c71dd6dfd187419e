#include "fleet_commands_archive.h"

#include <ctime>

#include "archive_add.h"
#include "archive_command.h"
#include "archive_strings.h"
#include "fleet_strings.h"
#include "store_location.h"
#include "time_zone.h"

namespace velmora {

FetchArchive::FetchArchive(std::string location)
    : location_(location.empty() ? defaultStoreLocation() : std::move(location)), zone_(systemZoneName())
{
}

FetchArchive::~FetchArchive() = default;

AfterSave FetchArchive::add(const std::string& file, int loggerType)
{
    const auto failure = [](const std::string& why) {
        return AfterSave{false, fillPlaceholders(fleettext::kArchiveFailed, {why})};
    };
    std::lock_guard lock(mutex_);
    try {
        if (!store_)
            store_ = openStore(location_);
        AddRequest request;
        request.path = file;
        // The logger was started on this computer's clock, in its zone.
        request.zone = zone_;
        request.addedBy = archiveUserName();
        request.addedHost = archiveHostName();
        request.now = static_cast<std::int64_t>(std::time(nullptr));
        request.loggerType = loggerType;
        const AddOutcome outcome = addDownloadFile(*store_, request);
        switch (outcome.status) {
        case AddStatus::Added:
            return AfterSave{true, archivetext::fill(archivetext::kAdded, {std::to_string(outcome.readings)})};
        case AddStatus::AlreadyArchived: return AfterSave{true, std::string(archivetext::kAlreadyArchived)};
        case AddStatus::Refused: return failure(outcome.message);
        }
    } catch (const StoreError& e) {
        store_.reset(); // opened afresh for the next file
        return failure(e.what());
    }
    return failure({});
}

} // namespace velmora
