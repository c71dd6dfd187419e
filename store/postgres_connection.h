#pragma once
// One libpq connection with the few calls the archive makes: statements with
// parameters (never values pasted into SQL), results that free themselves, and
// failures as StoreError with the server's message.
#include <libpq-fe.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace velmora {

struct ResultDeleter {
    void operator()(PGresult* r) const { PQclear(r); }
};
using PgResult = std::unique_ptr<PGresult, ResultDeleter>;

// Text parameters; nullopt is NULL.
using PgParams = std::vector<std::optional<std::string>>;

class PgConnection {
public:
    // `conninfo`: a postgresql:// URL or libpq's key=value string.
    explicit PgConnection(const std::string& conninfo);
    ~PgConnection() { PQfinish(conn_); }
    PgConnection(const PgConnection&) = delete;
    PgConnection& operator=(const PgConnection&) = delete;

    PGconn* get() const { return conn_; }
    // "postgresql://user@host:port/database", no password.
    const std::string& where() const { return where_; }

    // Runs `sql`; throws unless it ends as `expected`. `binary` asks for binary results.
    PgResult exec(const std::string& sql, const PgParams& params = {}, ExecStatusType expected = PGRES_COMMAND_OK,
                  bool binary = false);
    // Several statements without parameters (a migration).
    void script(const std::string& sql);
    PgResult query(const std::string& sql, const PgParams& params = {}, bool binary = false)
    {
        return exec(sql, params, PGRES_TUPLES_OK, binary);
    }

    // BEGIN; when the server has ended the connection since the last statement (a
    // restart, an administrator, a network cut), which libpq notices only now, it
    // connects again and begins there. Nothing is lost: no transaction was open.
    void begin();

    // Throws the StoreError for a failed result (or a lost connection when null).
    [[noreturn]] void fail(const PGresult* result) const;

private:
    PGconn* conn_ = nullptr;
    std::string where_;
};

// timestamptz in binary: microseconds since 2000-01-01 00:00:00 UTC.
inline constexpr std::int64_t kPgEpochUnixSeconds = 946684800;

} // namespace velmora
