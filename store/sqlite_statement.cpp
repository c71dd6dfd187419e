#include "sqlite_statement.h"

#include "archive_store.h"
#include "archive_strings.h"

namespace velmora {

void checkSqlite(sqlite3* db, int result, const std::string& where)
{
    if (result == SQLITE_OK || result == SQLITE_ROW || result == SQLITE_DONE)
        return;
    const int primary = result & 0xff;
    if (primary == SQLITE_READONLY)
        throw StoreError(archivetext::fill(archivetext::kReadOnly, {where}));
    throw StoreError(
        archivetext::fill(archivetext::kStoreFailed, {where, db ? sqlite3_errmsg(db) : sqlite3_errstr(result)}));
}

SqliteStatement::SqliteStatement(sqlite3* db, std::string_view sql, const std::string& where) : db_(db), where_(where)
{
    checkSqlite(db, sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &statement_, nullptr), where);
}

SqliteStatement& SqliteStatement::bind(int i, std::int64_t v)
{
    checkSqlite(db_, sqlite3_bind_int64(statement_, i, v), where_);
    return *this;
}

SqliteStatement& SqliteStatement::bind(int i, double v)
{
    checkSqlite(db_, sqlite3_bind_double(statement_, i, v), where_);
    return *this;
}

SqliteStatement& SqliteStatement::bind(int i, std::string_view text)
{
    checkSqlite(db_, sqlite3_bind_text64(statement_, i, text.data(), text.size(), SQLITE_TRANSIENT, SQLITE_UTF8),
                where_);
    return *this;
}

SqliteStatement& SqliteStatement::bindBlob(int i, std::string_view bytes)
{
    checkSqlite(db_, sqlite3_bind_blob64(statement_, i, bytes.data(), bytes.size(), SQLITE_STATIC), where_);
    return *this;
}

SqliteStatement& SqliteStatement::bindNull(int i)
{
    checkSqlite(db_, sqlite3_bind_null(statement_, i), where_);
    return *this;
}

bool SqliteStatement::step()
{
    const int result = sqlite3_step(statement_);
    checkSqlite(db_, result, where_);
    return result == SQLITE_ROW;
}

void SqliteStatement::run()
{
    const int result = sqlite3_step(statement_);
    sqlite3_reset(statement_);
    checkSqlite(db_, result, where_);
}

void SqliteStatement::reset() { sqlite3_reset(statement_); }

std::string SqliteStatement::text(int c) const
{
    const unsigned char* t = sqlite3_column_text(statement_, c);
    return t ? std::string(reinterpret_cast<const char*>(t),
                           static_cast<std::size_t>(sqlite3_column_bytes(statement_, c)))
             : std::string();
}

std::string SqliteStatement::blob(int c) const
{
    const void* b = sqlite3_column_blob(statement_, c);
    return b ? std::string(static_cast<const char*>(b), static_cast<std::size_t>(sqlite3_column_bytes(statement_, c)))
             : std::string();
}

} // namespace velmora
