#pragma once
// Where the archive is: an SQLite file's path, or a PostgreSQL server by its
// postgresql:// (or postgres://) URL or a libpq key=value string of libpq's keywords.
#include <memory>
#include <string>

#include "archive_store.h"

namespace velmora {

// True for a location that names a PostgreSQL server.
bool isPostgresLocation(const std::string& location);

// True when the location carries a password, which has no place on a command line
// (other users see it in the process list): ~/.pgpass or PGPASSWORD holds it.
bool locationHasPassword(const std::string& location);

// $XDG_DATA_HOME/velmora/archive.sqlite, or ~/.local/share/velmora/archive.sqlite.
std::string defaultStorePath();

// The store used when none is named: VELMORA_STORE, else defaultStorePath().
std::string defaultStoreLocation();

// Opens the store; an SQLite file's folder is made when missing. StoreError when it
// cannot be opened, or is of a newer schema version.
std::unique_ptr<ArchiveStore> openStore(const std::string& location);

} // namespace velmora
