#pragma once
// The archive on a PostgreSQL 15 server (libpq): readings through binary COPY … FROM
// STDIN, in a table partitioned by month (each month's partition made when a reading
// first needs it), one transaction per add.
#include <memory>
#include <string>

#include "archive_store.h"

namespace velmora {

// Connects to `conninfo` (a postgresql:// URL or key=value string), then creates or
// brings forward the schema; StoreError when it cannot.
std::unique_ptr<ArchiveStore> openPostgresStore(const std::string& conninfo);

} // namespace velmora
