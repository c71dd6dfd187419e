// A PostgreSQL archive written by the version before this one (a row a reading)
// opens, is brought forward, and gives back the same readings and files.
#include <gtest/gtest.h>

#include <ctime>

#include "archive_add.h"
#include "archive_query.h"
#include "store_fixture.h"
#include "store_location.h"

namespace velmora::test {
namespace {

// A temperature file of `n` readings ten minutes apart from `firstUtc` (zone UTC),
// reading `errorAt` without a value.
std::string temperatureFile(const std::string& serial, std::int64_t firstUtc, int n, int errorAt)
{
    std::string out = "Fridge,Time,Celsius(\260C),High Alarm,Low Alarm,Serial Number\r\n";
    for (int i = 0; i < n; ++i) {
        const std::time_t t = static_cast<std::time_t>(firstUtc + 600 * i);
        std::tm tm{};
        gmtime_r(&t, &tm);
        char stamp[32], value[16];
        std::strftime(stamp, sizeof stamp, "%d/%m/%Y %H:%M:%S", &tm);
        std::snprintf(value, sizeof value, "%d.%d", i % 9, i % 7);
        out += std::to_string(i + 1) + "," + stamp + "," + (i == errorAt ? "Error" : value) + ",8.0,2.0" +
               (i == 0 ? "," + serial : "") + "\r\n";
    }
    return out;
}

std::vector<StoredReading> readingsBetween(ArchiveStore& store, std::int64_t from, std::int64_t to)
{
    std::vector<StoredReading> out;
    forEachReading(store, store.deployments(std::string("000000088")), from, to,
                   [&](const StoredReading& r) { out.push_back(r); });
    return out;
}

// A reading as a row of the first version's table, in SQL; as text it also shows
// which reading and field two lists differ in.
std::string sqlRow(const StoredReading& r)
{
    std::string row = "(" + std::to_string(r.deployment) + ", to_timestamp(" + std::to_string(r.timeUtc) + ")";
    for (int c = 0; c < kReadingColumns; ++c) {
        char v[32];
        std::snprintf(v, sizeof v, ", %.17g", r.values[c]);
        row += r.nulls & (1u << c) ? std::string(", NULL") : std::string(v);
    }
    return row + ")";
}

std::vector<std::string> described(const std::vector<StoredReading>& readings)
{
    std::vector<std::string> out;
    for (const StoredReading& r : readings)
        out.push_back(sqlRow(r));
    return out;
}

class MigrationTest : public StoreTest {
protected:
    // The store as the previous version kept it: the readings a row each, version 1.
    void makeVersionOne(const std::vector<StoredReading>& readings) const;
};

void MigrationTest::makeVersionOne(const std::vector<StoredReading>& readings) const
{
    std::string rows;
    for (const StoredReading& r : readings)
        rows += (rows.empty() ? "" : ", ") + sqlRow(r);
    rawSql("CREATE TABLE readings (deployment bigint NOT NULL, t timestamptz NOT NULL, first_value float8, "
           "first_high float8, first_low float8, second_value float8, second_high float8, second_low float8, "
           "third_value float8, PRIMARY KEY (deployment, t)) PARTITION BY RANGE (t); "
           "CREATE TABLE readings_any PARTITION OF readings DEFAULT; INSERT INTO readings VALUES " +
           rows + "; DROP TABLE reading_blocks; UPDATE schema_version SET version = 1");
}

// Two deployments of one logger, the first of 6,000 readings from late January into
// March (more than a block, across two month ends, one "Error"), the second
// overlapping it. After the step back to version 1 and the migration on open, every
// reading is there as before, in the same order, a range inside the months finds
// exactly its readings, and the files still verify.
TEST_P(MigrationTest, VersionOneArchiveOpensWithTheSameReadings)
{
    constexpr std::int64_t kJan25 = 1769299200; // 2026-01-25 00:00:00 UTC
    constexpr std::int64_t kFeb14 = 1771027200; // 2026-02-14 00:00:00 UTC
    constexpr std::int64_t kMar03 = 1772496000; // 2026-03-03 00:00:00 UTC
    const std::string files[] = {writeFile("long.txt", temperatureFile("000000088", kJan25, 6000, 4100)),
                                 writeFile("short.txt", temperatureFile("000000088", kFeb14 - 600 * 50, 200, 7))};
    {
        auto store = open();
        for (const std::string& path : files) {
            AddRequest request;
            request.path = path;
            request.zone = "UTC";
            request.now = 1800000000;
            ASSERT_EQ(addDownloadFile(*store, request).status, AddStatus::Added);
        }
    }
    std::vector<StoredReading> before;
    {
        auto store = open();
        before = readingsBetween(*store, INT64_MIN / 2, INT64_MAX / 2);
    }
    ASSERT_EQ(before.size(), 6200u);
    std::vector<StoredReading> inRange;
    for (const StoredReading& r : before)
        if (r.timeUtc >= kFeb14 && r.timeUtc <= kMar03)
            inRange.push_back(r);
    makeVersionOne(before);
    ASSERT_EQ(countRows("readings"), 6200);

    // A user who may only read cannot bring it forward: told so, and nothing changes.
    try {
        openStore(location() + "?options=-c%20default_transaction_read_only%3Don");
        ADD_FAILURE() << "a version-1 archive was opened read-only";
    } catch (const StoreError& e) {
        EXPECT_NE(std::string(e.what()).find("earlier version"), std::string::npos) << e.what();
    }
    ASSERT_EQ(countRows("readings"), 6200);

    auto store = open();
    EXPECT_EQ(described(readingsBetween(*store, INT64_MIN / 2, INT64_MAX / 2)), described(before));
    EXPECT_EQ(described(readingsBetween(*store, kFeb14, kMar03)), described(inRange));
    EXPECT_EQ(countReadings(), 6200);
    EXPECT_TRUE(tamperedFiles(*store).empty());
    for (const Deployment& d : store->deployments(std::nullopt))
        EXPECT_TRUE(storedFile(*store, d.id).has_value());
}

// SQLite still keeps the first version's rows: nothing to migrate there.
INSTANTIATE_TEST_SUITE_P(Engines, MigrationTest, ::testing::Values(Engine::Postgres), engineName);

} // namespace
} // namespace velmora::test
