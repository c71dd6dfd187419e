#pragma once
// fetch --archive and watch --archive: each download added to the archive as soon as
// it is saved, as `archive add` adds a file. One store for the whole run, opened at
// the first add and again after it failed (a server may come back while watch runs);
// adds take turns, as the loggers' downloads run side by side.
#include <memory>
#include <mutex>
#include <string>

#include "fleet_download.h"

namespace velmora {

class ArchiveStore;

class FetchArchive {
public:
    // `location` as --store gives it; empty: VELMORA_STORE or the default store.
    explicit FetchArchive(std::string location);
    ~FetchArchive();

    // "added N readings" or "already archived"; a failure says why.
    AfterSave add(const std::string& file, int loggerType);
    AfterSaveStep step()
    {
        return [this](const std::string& file, int type) { return add(file, type); };
    }

private:
    std::string location_;
    std::string zone_;
    std::unique_ptr<ArchiveStore> store_;
    std::mutex mutex_;
};

} // namespace velmora
