#include "store_fixture.h"

#include <libpq-fe.h>
#include <sqlite3.h>
#include <unistd.h>

#include <cstdlib>

#include "store_location.h"

namespace velmora::test {

std::string engineName(const ::testing::TestParamInfo<Engine>& info)
{
    return info.param == Engine::Sqlite ? "Sqlite" : "Postgres";
}

void StoreTest::SetUp()
{
    char pattern[] = "/tmp/velmora-store-test.XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder_ = pattern;
    if (GetParam() == Engine::Sqlite) {
        location_ = (folder_ / "archive.sqlite").string();
        return;
    }
    const char* url = std::getenv("VELMORA_TEST_POSTGRES");
    if (!url || !*url)
        GTEST_SKIP() << "PostgreSQL not tested: VELMORA_TEST_POSTGRES (a server's URL) is not set";
    location_ = url;
    rawSql("DROP SCHEMA public CASCADE; CREATE SCHEMA public;");
}

void StoreTest::TearDown()
{
    std::error_code ignored;
    std::filesystem::permissions(folder_, std::filesystem::perms::owner_all, ignored);
    std::filesystem::remove_all(folder_, ignored);
}

std::unique_ptr<ArchiveStore> StoreTest::open() const { return openStore(location_); }

void StoreTest::rawSql(const std::string& sql) const
{
    if (GetParam() == Engine::Sqlite) {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(location_.c_str(), &db), SQLITE_OK);
        char* error = nullptr;
        const int result = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error);
        EXPECT_EQ(result, SQLITE_OK) << (error ? error : "");
        sqlite3_free(error);
        sqlite3_close(db);
        return;
    }
    PGconn* conn = PQconnectdb(location_.c_str());
    ASSERT_EQ(PQstatus(conn), CONNECTION_OK) << PQerrorMessage(conn);
    PGresult* r = PQexec(conn, ("SET client_min_messages = warning; " + sql).c_str());
    EXPECT_EQ(PQresultStatus(r), PGRES_COMMAND_OK) << PQresultErrorMessage(r);
    PQclear(r);
    PQfinish(conn);
}

long long StoreTest::countRows(const std::string& table) const { return number("SELECT count(*) FROM " + table); }

long long StoreTest::countReadings() const
{
    return number(GetParam() == Engine::Sqlite ? "SELECT count(*) FROM readings"
                                               : "SELECT coalesce(sum(readings), 0) FROM reading_blocks");
}

long long StoreTest::number(const std::string& sql) const
{
    long long count = -1;
    if (GetParam() == Engine::Sqlite) {
        sqlite3* db = nullptr;
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_open(location_.c_str(), &db) == SQLITE_OK &&
            sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr) == SQLITE_OK &&
            sqlite3_step(statement) == SQLITE_ROW)
            count = sqlite3_column_int64(statement, 0);
        sqlite3_finalize(statement);
        sqlite3_close(db);
        return count;
    }
    PGconn* conn = PQconnectdb(location_.c_str());
    PGresult* r = PQexec(conn, sql.c_str());
    if (PQresultStatus(r) == PGRES_TUPLES_OK)
        count = std::atoll(PQgetvalue(r, 0, 0));
    PQclear(r);
    PQfinish(conn);
    return count;
}

std::string StoreTest::writeFile(const std::string& name, const std::string& bytes) const
{
    const std::string path = (folder_ / name).string();
    FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    return path;
}

std::string downloadFile(std::initializer_list<std::string> lines)
{
    std::string out;
    for (const std::string& line : lines)
        out += line + "\r\n";
    return out;
}

} // namespace velmora::test
