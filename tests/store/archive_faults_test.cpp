// An add is all or nothing whatever stops it: the process killed, the server's
// connection cut, a store that may not be written.
#include <gtest/gtest.h>

#include <libpq-fe.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "archive_add.h"
#include "store_fixture.h"
#include "store_location.h"

namespace velmora::test {
namespace {

constexpr int kBigReadings = 300000;

// A temperature file of `n` readings a minute apart.
std::string bigFile(int n)
{
    std::string out = "Cold,Time,Celsius(\260C),High Alarm,Low Alarm,Serial Number\r\n";
    for (int i = 0; i < n; ++i) {
        const int minutes = i % 60, hours = (i / 60) % 24, day = i / 1440; // from 1 January 2026
        const int month = 1 + day / 28, dom = 1 + day % 28;                // 28-day months keep the stamps simple
        char line[96];
        std::snprintf(line, sizeof line, "%d,%02d/%02d/2026 %02d:%02d:00,%d.%d,8.0,2.0%s\r\n", i + 1, dom, month, hours,
                      minutes, i % 10, i % 7, i == 0 ? ",000000077" : "");
        out += line;
    }
    return out;
}

AddRequest requestFor(const std::string& path)
{
    AddRequest r;
    r.path = path;
    r.zone = "UTC";
    r.now = 1800000000;
    return r;
}

// Exit codes of the child that adds: 0 added, 3 the store failed, 4 anything else.
int addInChild(const std::string& location, const std::string& path)
{
    try {
        std::unique_ptr<ArchiveStore> store = openStore(location);
        return addDownloadFile(*store, requestFor(path)).status == AddStatus::Added ? 0 : 4;
    } catch (const StoreError&) {
        return 3;
    } catch (...) {
        return 4;
    }
}

using FaultTest = StoreTest;

// Killed at any moment, an add leaves the store without the file or with all of it.
TEST_P(FaultTest, KilledAddLeavesNothingOrEverything)
{
    // The file only needs to be whole in the pre-100 minute lines: the stamps of
    // lines 4 on are not read.
    const std::string path = writeFile("big.txt", bigFile(kBigReadings));
    open(); // the schema exists before the kills begin
    for (const int delayMs : {5, 60, 250, 800}) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            _exit(addInChild(location(), path));
        std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        const long long deployments = countRows("deployments");
        const long long readings = countReadings();
        EXPECT_TRUE((deployments == 0 && readings == 0) || (deployments == 1 && readings == kBigReadings))
            << "after " << delayMs << " ms: " << deployments << " deployments, " << readings << " readings";
        if (deployments == 1)
            break; // the add finished before the kill: nothing more to learn
    }
}

// The server ends the add's connection while the readings stream in: the add fails
// with a message and the store is as before.
TEST_P(FaultTest, ConnectionCutMidAddLeavesNothing)
{
    if (GetParam() != Engine::Postgres)
        GTEST_SKIP() << "a connection to cut: PostgreSQL only";
    const std::string path = writeFile("big.txt", bigFile(kBigReadings));
    open();
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0)
        _exit(addInChild(location(), path));
    PGconn* conn = PQconnectdb(location().c_str());
    bool cut = false;
    for (int i = 0; i < 2000 && !cut; ++i) {
        PGresult* r = PQexec(conn, "SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE query LIKE "
                                   "'COPY reading_blocks%' AND pid <> pg_backend_pid()");
        cut = PQresultStatus(r) == PGRES_TUPLES_OK && PQntuples(r) > 0;
        PQclear(r);
        if (!cut)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    PQfinish(conn);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(cut) << "the add's COPY was never seen";
    EXPECT_EQ(WEXITSTATUS(status), 3); // the store's failure, told
    EXPECT_EQ(countRows("deployments"), 0);
    EXPECT_EQ(countReadings(), 0);
}

// Two programs add at once (two desks downloading into one archive): each add waits
// for the other instead of failing, and both files are kept whole.
TEST_P(FaultTest, TwoAddsAtOnceBothSucceed)
{
    const std::string paths[] = {writeFile("one.txt", bigFile(60000)), writeFile("two.txt", bigFile(60001))};
    open();
    pid_t children[2];
    for (int i = 0; i < 2; ++i) {
        children[i] = fork();
        ASSERT_GE(children[i], 0);
        if (children[i] == 0)
            _exit(addInChild(location(), paths[i]));
    }
    for (const pid_t child : children) {
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_EQ(WEXITSTATUS(status), 0);
    }
    EXPECT_EQ(countRows("deployments"), 2);
    EXPECT_EQ(countReadings(), 120001);
}

// The server ends the store's connection between two adds (a restart, an
// administrator): the next add connects again instead of failing for good.
TEST_P(FaultTest, AddAfterTheConnectionWasEndedConnectsAgain)
{
    if (GetParam() != Engine::Postgres)
        GTEST_SKIP() << "a connection to end: PostgreSQL only";
    auto store = open();
    ASSERT_EQ(addDownloadFile(*store, requestFor(writeFile("first.txt", bigFile(3)))).status, AddStatus::Added);
    rawSql("DO $$ BEGIN PERFORM pg_terminate_backend(pid) FROM pg_stat_activity WHERE datname = "
           "current_database() AND pid <> pg_backend_pid(); END $$");
    EXPECT_EQ(addDownloadFile(*store, requestFor(writeFile("second.txt", bigFile(4)))).status, AddStatus::Added);
    EXPECT_EQ(countReadings(), 7);
}

// Only a server's URL or a string of libpq's own keywords reaches PostgreSQL; a
// file name that merely holds a '=' is an SQLite file.
TEST(StoreLocation, WhatIsAServer)
{
    const struct {
        const char* location;
        bool server;
    } cases[] = {
        {"postgresql://db.example/velmora", true},
        {"postgres://db.example/velmora", true},
        {"host=db.example dbname=velmora", true},
        {"./a=b.sqlite", false},
        {"a=b.sqlite", false},
        {"/srv/run=3/archive.sqlite", false},
        {"./host=db.example", false},
        {"archive.sqlite", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(isPostgresLocation(c.location), c.server) << c.location;
}

// A store that may not be written refuses an add with a message and keeps what it has.
TEST_P(FaultTest, ReadOnlyStoreRefusesAdds)
{
    const std::string first = writeFile("first.txt", bigFile(3));
    const std::string second = writeFile("second.txt", bigFile(4));
    {
        auto store = open();
        ASSERT_EQ(addDownloadFile(*store, requestFor(first)).status, AddStatus::Added);
    }
    std::string readOnly = location();
    if (GetParam() == Engine::Sqlite) {
        chmod(location().c_str(), 0444);
        chmod(folder().c_str(), 0555);
        chmod(second.c_str(), 0444);
    } else {
        readOnly += "?options=-c%20default_transaction_read_only%3Don";
    }
    // root writes whatever a file's permissions say: the add runs as nobody then.
    const bool asNobody = GetParam() == Engine::Sqlite && geteuid() == 0;
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (asNobody && (setgid(65534) != 0 || setuid(65534) != 0))
            _exit(5);
        try {
            std::unique_ptr<ArchiveStore> store = openStore(readOnly);
            _exit(addDownloadFile(*store, requestFor(second)).status == AddStatus::Added ? 0 : 6);
        } catch (const StoreError& e) {
            _exit(std::string(e.what()).find("read-only") != std::string::npos ? 3 : 4);
        }
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_EQ(WEXITSTATUS(status), 3);
    EXPECT_EQ(countRows("deployments"), 1);
    EXPECT_EQ(countReadings(), 3);
}

INSTANTIATE_TEST_SUITE_P(Engines, FaultTest, ::testing::Values(Engine::Sqlite, Engine::Postgres), engineName);

} // namespace
} // namespace velmora::test
