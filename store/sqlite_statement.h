#pragma once
// A prepared SQLite statement that finalizes itself, with the few bindings and columns
// the archive uses. Failures throw StoreError with the database's message.
#include <sqlite3.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

// Throws StoreError for a result that is not `SQLITE_OK`, `SQLITE_ROW` or `SQLITE_DONE`.
void checkSqlite(sqlite3* db, int result, const std::string& where);

class SqliteStatement {
public:
    SqliteStatement(sqlite3* db, std::string_view sql, const std::string& where);
    ~SqliteStatement() { sqlite3_finalize(statement_); }
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    SqliteStatement& bind(int i, std::int64_t v);
    SqliteStatement& bind(int i, double v);
    SqliteStatement& bind(int i, std::string_view text);
    SqliteStatement& bindBlob(int i, std::string_view bytes);
    SqliteStatement& bindNull(int i);
    template <class T> SqliteStatement& bind(int i, const std::optional<T>& v) { return v ? bind(i, *v) : bindNull(i); }

    // True while there is a row; false when done.
    bool step();
    // step(), then reset() for the next use.
    void run();
    void reset();

    std::int64_t integer(int c) const { return sqlite3_column_int64(statement_, c); }
    double real(int c) const { return sqlite3_column_double(statement_, c); }
    bool isNull(int c) const { return sqlite3_column_type(statement_, c) == SQLITE_NULL; }
    std::string text(int c) const;
    std::string blob(int c) const;

private:
    sqlite3* db_;
    sqlite3_stmt* statement_ = nullptr;
    std::string where_;
};

} // namespace velmora
