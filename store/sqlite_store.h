#pragma once
// The archive in one SQLite file (libsqlite3): WAL, one transaction per add, prepared
// statements reused across rows, instants as INTEGER Unix seconds.
#include <memory>
#include <string>

#include "archive_store.h"

namespace velmora {

// Opens, creates or brings forward the store at `path`; StoreError when it cannot.
std::unique_ptr<ArchiveStore> openSqliteStore(const std::string& path);

} // namespace velmora
