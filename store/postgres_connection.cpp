#include "postgres_connection.h"

#include <cstring>

#include "archive_store.h"
#include "archive_strings.h"

namespace velmora {

namespace {

std::string describe(PGconn* conn)
{
    std::string user = PQuser(conn) ? PQuser(conn) : "";
    std::string host = PQhost(conn) ? PQhost(conn) : "";
    std::string port = PQport(conn) ? PQport(conn) : "";
    std::string db = PQdb(conn) ? PQdb(conn) : "";
    return "postgresql://" + user + (user.empty() ? "" : "@") + host + (port.empty() ? "" : ":" + port) + "/" + db;
}

std::string trimmed(std::string s)
{
    while (!s.empty() && (s.back() == '\n' || s.back() == ' '))
        s.pop_back();
    return s;
}

} // namespace

PgConnection::PgConnection(const std::string& conninfo)
{
    conn_ = PQconnectdb(conninfo.c_str());
    if (!conn_ || PQstatus(conn_) != CONNECTION_OK) {
        const std::string reason = conn_ ? trimmed(PQerrorMessage(conn_)) : "out of memory";
        const std::string where = conn_ ? describe(conn_) : conninfo;
        PQfinish(conn_);
        conn_ = nullptr;
        throw StoreError(archivetext::fill(archivetext::kCannotOpen, {where, reason}));
    }
    where_ = describe(conn_);
    exec("SET client_min_messages = warning");
}

void PgConnection::begin()
{
    PgResult begun(PQexec(conn_, "BEGIN"));
    if (begun && PQresultStatus(begun.get()) == PGRES_COMMAND_OK)
        return;
    if (PQstatus(conn_) != CONNECTION_BAD)
        fail(begun.get());
    PQreset(conn_);
    if (PQstatus(conn_) != CONNECTION_OK)
        fail(nullptr);
    exec("SET client_min_messages = warning");
    exec("BEGIN");
}

PgResult PgConnection::exec(const std::string& sql, const PgParams& params, ExecStatusType expected, bool binary)
{
    std::vector<const char*> values;
    for (const std::optional<std::string>& p : params)
        values.push_back(p ? p->c_str() : nullptr);
    PgResult result(PQexecParams(conn_, sql.c_str(), static_cast<int>(values.size()), nullptr, values.data(), nullptr,
                                 nullptr, binary ? 1 : 0));
    if (!result || PQresultStatus(result.get()) != expected)
        fail(result.get());
    return result;
}

void PgConnection::script(const std::string& sql)
{
    PgResult result(PQexec(conn_, sql.c_str()));
    if (!result || PQresultStatus(result.get()) != PGRES_COMMAND_OK)
        fail(result.get());
}

void PgConnection::fail(const PGresult* result) const
{
    const char* state = result ? PQresultErrorField(result, PG_DIAG_SQLSTATE) : nullptr;
    // 25006: a read-only transaction; 42501: no privilege to write.
    if (state && (std::strcmp(state, "25006") == 0 || std::strcmp(state, "42501") == 0))
        throw StoreReadOnly(archivetext::fill(archivetext::kReadOnly, {where_}));
    std::string reason = result ? trimmed(PQresultErrorMessage(result)) : "";
    if (reason.empty())
        reason = trimmed(PQerrorMessage(conn_));
    throw StoreError(archivetext::fill(archivetext::kStoreFailed, {where_, reason}));
}

} // namespace velmora
