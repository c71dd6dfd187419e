#include "store_location.h"

#include <libpq-fe.h>

#include <cstdlib>
#include <filesystem>

#include "archive_strings.h"
#include "postgres_store.h"
#include "sqlite_store.h"

namespace velmora {

bool isPostgresLocation(const std::string& location)
{
    if (location.starts_with("postgresql://") || location.starts_with("postgres://"))
        return true;
    // libpq's key=value form only when every word of it is one of libpq's own keywords
    // ("host=db dbname=velmora"): a file name that merely holds a '=' ("./a=b.sqlite",
    // "runs=3.sqlite") is an SQLite file. "./" before a name makes it a file whatever it holds.
    if (location.find('=') == std::string::npos)
        return false;
    char* error = nullptr;
    PQconninfoOption* options = PQconninfoParse(location.c_str(), &error);
    PQfreemem(error);
    const bool parsed = options != nullptr;
    PQconninfoFree(options);
    return parsed;
}

bool locationHasPassword(const std::string& location)
{
    if (!isPostgresLocation(location))
        return false;
    char* error = nullptr;
    PQconninfoOption* options = PQconninfoParse(location.c_str(), &error);
    PQfreemem(error);
    bool found = false;
    for (PQconninfoOption* o = options; o && o->keyword; ++o)
        if (std::string(o->keyword) == "password" && o->val && *o->val)
            found = true;
    PQconninfoFree(options);
    return found;
}

std::string defaultStorePath()
{
    std::filesystem::path base;
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data == '/')
        base = data;
    else if (const char* home = std::getenv("HOME"); home && *home)
        base = std::filesystem::path(home) / ".local" / "share";
    else
        base = ".";
    return (base / "velmora" / "archive.sqlite").string();
}

std::unique_ptr<ArchiveStore> openStore(const std::string& location)
{
    if (isPostgresLocation(location))
        return openPostgresStore(location);
    const std::filesystem::path folder = std::filesystem::path(location).parent_path();
    std::error_code error;
    if (!folder.empty() && !std::filesystem::exists(folder, error)) {
        std::filesystem::create_directories(folder, error);
        if (error)
            throw StoreError(archivetext::fill(archivetext::kCannotOpen, {location, error.message()}));
    }
    return openSqliteStore(location);
}

std::string defaultStoreLocation()
{
    const char* env = std::getenv("VELMORA_STORE");
    return env && *env ? env : defaultStorePath();
}

} // namespace velmora
