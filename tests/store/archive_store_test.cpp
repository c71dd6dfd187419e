// The archive on each engine: what an add stores, what it refuses, and what comes back.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "archive_add.h"
#include "archive_query.h"
#include "store_fixture.h"
#include "time_zone.h"

namespace velmora::test {
namespace {

constexpr std::int64_t kNow = 1800000000; // 2027-01-15: after every file below

const std::string kHumidityHeader =
    "Store,Time,Celsius(\260C),High Alarm,Low Alarm,Humidity(%rh),dew point(\260C),Serial Number";

AddOutcome add(ArchiveStore& store, const std::string& path, const std::string& zone = "Europe/Berlin")
{
    AddRequest request;
    request.path = path;
    request.zone = zone;
    request.addedBy = "tester";
    request.addedHost = "bench";
    request.now = kNow;
    return addDownloadFile(store, request);
}

std::vector<StoredReading> readingsOf(ArchiveStore& store, const std::string& serial)
{
    std::vector<StoredReading> out;
    forEachReading(store, store.deployments(serial), INT64_MIN / 2, INT64_MAX / 2,
                   [&](const StoredReading& r) { out.push_back(r); });
    return out;
}

using ArchiveTest = StoreTest;

// A humidity file of three readings in January (Berlin is an hour ahead of UTC): what
// the deployment says and each reading's instant and values, "Error" as no value.
TEST_P(ArchiveTest, StoresTheDeploymentAndItsReadings)
{
    const std::string path =
        writeFile("store.txt", downloadFile({kHumidityHeader, "1,10/01/2026 08:00:00,4.5,8.0,2.0,50.0,-4.9,000012345",
                                             "2,10/01/2026 08:05:00,Error,8.0,2.0,0.0,Error",
                                             "3,10/01/2026 08:10:00,5.0,8.0,2.0,55.5,-3.2"}));
    auto store = open();
    const AddOutcome outcome = add(*store, path);
    ASSERT_EQ(outcome.status, AddStatus::Added) << outcome.message;
    EXPECT_EQ(outcome.readings, 3);

    const std::vector<Deployment> all = store->deployments(std::nullopt);
    ASSERT_EQ(all.size(), 1u);
    const Deployment& d = all[0];
    EXPECT_EQ(d.serial, "000012345");
    EXPECT_EQ(d.name, "Store");
    EXPECT_EQ(d.model, "temperature and humidity");
    EXPECT_EQ(d.intervalSeconds, 300);
    EXPECT_EQ(d.firstUtc, 1768028400); // 2026-01-10 07:00:00 UTC
    EXPECT_EQ(d.lastUtc, 1768029000);
    EXPECT_EQ(d.readingCount, 3);
    EXPECT_EQ(d.fileName, "store.txt");
    EXPECT_EQ(d.zone, "Europe/Berlin");
    EXPECT_EQ(d.addedBy, "tester");
    EXPECT_EQ(d.addedUtc, kNow);
    const std::vector<StoredChannel> channels = {{1, "Celsius", "\u00b0C", 8.0, 2.0},
                                                 {2, "Humidity", "%rh", std::nullopt, std::nullopt},
                                                 {3, "dew point", "\u00b0C", std::nullopt, std::nullopt}};
    EXPECT_EQ(d.channels, channels);

    const std::vector<StoredReading> r = readingsOf(*store, "000012345");
    ASSERT_EQ(r.size(), 3u);
    EXPECT_EQ(r[0].timeUtc, 1768028400);
    EXPECT_EQ(r[1].timeUtc, 1768028700);
    EXPECT_EQ(r[2].timeUtc, 1768029000);
    EXPECT_EQ(r[0].values[kFirstValue], 4.5);
    EXPECT_EQ(r[0].values[kFirstHigh], 8.0);
    EXPECT_EQ(r[0].values[kSecondValue], 50.0);
    EXPECT_EQ(r[0].values[kThirdTrace], -4.9);
    EXPECT_EQ(r[0].nulls & d.columns, 0u);
    // "Error" where the temperature belongs and the dew point of 0 %rh: no values.
    EXPECT_EQ(r[1].nulls & d.columns, (1u << kFirstValue) | (1u << kThirdTrace));
    EXPECT_EQ(r[1].values[kSecondValue], 0.0);
    EXPECT_EQ(r[2].values[kSecondValue], 55.5);
}

// The same bytes again add nothing; the file comes back byte for byte, its missing
// last line end and all, and verifies until its stored bytes are changed.
TEST_P(ArchiveTest, SameFileOnceAndItsBytesBack)
{
    const std::string bytes = downloadFile({"Fridge,Time,Celsius(\260C),Serial Number",
                                            "1,01/02/2026 00:00:00,3.5,000000007", "2,01/02/2026 00:01:00,3.6"}) +
                              "3,01/02/2026 00:02:00,3.7";
    const std::string first = writeFile("fridge.txt", bytes);
    const std::string copy = writeFile("copy of fridge.txt", bytes);
    auto store = open();
    const AddOutcome added = add(*store, first);
    EXPECT_EQ(added.status, AddStatus::Added);
    EXPECT_FALSE(added.warning.empty()); // the viewer warns of the cut last line, and reads it
    EXPECT_EQ(add(*store, copy).status, AddStatus::AlreadyArchived);
    ASSERT_EQ(store->deployments(std::nullopt).size(), 1u);
    EXPECT_EQ(readingsOf(*store, "000000007").size(), 3u);

    EXPECT_EQ(storedFile(*store, added.deployment), bytes);
    EXPECT_EQ(storedFile(*store, added.deployment + 1), std::nullopt);
    EXPECT_TRUE(tamperedFiles(*store).empty());

    // Another file's compressed bytes in place of these: they unpack, but to the wrong bytes.
    const std::string other = writeFile(
        "other.txt", downloadFile({"Fridge,Time,Celsius(\260C),Serial Number", "1,01/03/2026 00:00:00,9.9,000000007"}));
    const AddOutcome second = add(*store, other);
    ASSERT_EQ(second.status, AddStatus::Added);
    rawSql("UPDATE deployments SET file_bytes = (SELECT file_bytes FROM deployments WHERE id = " +
           std::to_string(second.deployment) + ") WHERE id = " + std::to_string(added.deployment));
    const std::vector<Deployment> tampered = tamperedFiles(*store);
    ASSERT_EQ(tampered.size(), 1u);
    EXPECT_EQ(tampered[0].fileName, "fridge.txt");
}

// What the viewer refuses, the archive refuses with the viewer's words, adding nothing.
TEST_P(ArchiveTest, RefusedFilesAddNothing)
{
    const struct {
        std::string bytes;
        std::string message;
    } cases[] = {
        {downloadFile({kHumidityHeader, "1,10/01/2026 08:00:00,4.5,8.0,2.0,50.0,-4.9,000012345",
                       "2,10/01/2026 08:05:00,4.6,8.0"}),
         "The File contains invalid data (line 3)."},
        {downloadFile({"Door,Time,Event(Rising),Serial Number", "0,07/12/2026 14:00:00.0,,000012345"}),
         "The file you are trying to open is an event log which cannot be displayed in Velmora USB Graph."},
        {"", "The File contains invalid data (line 1)."},
    };
    auto store = open();
    for (const auto& c : cases) {
        const AddOutcome outcome = add(*store, writeFile("refused.txt", c.bytes));
        EXPECT_EQ(outcome.status, AddStatus::Refused);
        EXPECT_EQ(outcome.message, c.message);
    }
    EXPECT_EQ(add(*store, (folder() / "missing.txt").string()).message, "Unable to open the file.");
    EXPECT_TRUE(store->deployments(std::nullopt).empty());
    EXPECT_TRUE(readingsOf(*store, "000012345").empty());
}

// A log across the spring change in Berlin: the logger's clock runs on, so its stamps
// are an hour behind after 02:00; the instants are the first one plus whole hours.
TEST_P(ArchiveTest, ClockChangeKeepsTheInstantsEvenlySpaced)
{
    const std::string path =
        writeFile("spring.txt", downloadFile({"Cold,Time,Celsius(\260C),Serial Number",
                                              "1,29/03/2026 01:00:00,4.0,000000042", "2,29/03/2026 02:00:00,4.1",
                                              "3,29/03/2026 03:00:00,4.2", "4,29/03/2026 04:00:00,4.3"}));
    auto store = open();
    ASSERT_EQ(add(*store, path).status, AddStatus::Added);
    const std::vector<StoredReading> r = readingsOf(*store, "000000042");
    ASSERT_EQ(r.size(), 4u);
    for (int n = 0; n < 4; ++n)
        EXPECT_EQ(r[n].timeUtc, 1774742400 + n * 3600); // 2026-03-29 00:00 UTC on

    // Their true local times: 01:00 CET, then 03:00, 04:00 and 05:00 CEST.
    LocalTimes local("Europe/Berlin");
    const char* expected[] = {"29/03/2026 01:00:00", "29/03/2026 03:00:00", "29/03/2026 04:00:00",
                              "29/03/2026 05:00:00"};
    for (int n = 0; n < 4; ++n)
        EXPECT_EQ(wallStampText(local.wallSeconds(r[n].timeUtc)), expected[n]);
}

// A first time the zone skips is refused, as the wizard refuses such a start; one it
// repeats is its first occurrence, since both have passed.
TEST_P(ArchiveTest, FirstTimeInASkippedOrRepeatedHour)
{
    auto store = open();
    const std::string skipped = writeFile(
        "skipped.txt", downloadFile({"Cold,Time,Celsius(\260C),Serial Number", "1,29/03/2026 02:30:00,4.0,000000043"}));
    const AddOutcome refused = add(*store, skipped);
    EXPECT_EQ(refused.status, AddStatus::Refused);
    EXPECT_EQ(refused.message, "The first reading's time 29/03/2026 02:30:00 does not exist in the time zone "
                               "Europe/Berlin (the clocks went forward over it): give the zone the logger was started "
                               "in with --zone. Nothing was added.");
    EXPECT_TRUE(store->deployments(std::nullopt).empty());
    // The same file from a place in UTC.
    EXPECT_EQ(add(*store, skipped, "UTC").status, AddStatus::Added);
    EXPECT_EQ(store->deployments(std::nullopt).at(0).firstUtc, 1774751400); // 2026-03-29 02:30 UTC

    const std::string repeated =
        writeFile("repeated.txt",
                  downloadFile({"Cold,Time,Celsius(\260C),Serial Number", "1,25/10/2026 02:30:00,4.0,000000044"}));
    ASSERT_EQ(add(*store, repeated).status, AddStatus::Added);
    EXPECT_EQ(store->deployments(std::string("000000044")).at(0).firstUtc, 1792888200); // 00:30 UTC, still CEST
}

// Overlapping deployments of one logger: every reading kept, in time order, each
// saying where it came from.
TEST_P(ArchiveTest, OverlappingDeploymentsMergeInTimeOrder)
{
    auto store = open();
    const std::string a = writeFile(
        "a.txt", downloadFile({"Cold,Time,Celsius(\260C),Serial Number", "1,01/06/2026 10:00:00,1.0,000000050",
                               "2,01/06/2026 10:10:00,2.0", "3,01/06/2026 10:20:00,3.0"}));
    const std::string b =
        writeFile("b.txt", downloadFile({"Cold,Time,Celsius(\260C),Serial Number",
                                         "1,01/06/2026 10:05:00,1.5,000000050", "2,01/06/2026 10:10:00,2.5"}));
    const std::int64_t idA = add(*store, a).deployment;
    const std::int64_t idB = add(*store, b).deployment;
    std::vector<std::pair<std::int64_t, double>> order;
    for (const StoredReading& r : readingsOf(*store, "000000050"))
        order.emplace_back(r.deployment, r.values[kFirstValue]);
    const std::vector<std::pair<std::int64_t, double>> expected = {
        {idA, 1.0}, {idB, 1.5}, {idA, 2.0}, {idB, 2.5}, {idA, 3.0}};
    EXPECT_EQ(order, expected);
}

// A time range across overlapping deployments: both ends included, in either
// deployment; and a read left after its first reading leaves the store usable.
TEST_P(ArchiveTest, RangeAcrossDeploymentsAndAnAbandonedRead)
{
    auto store = open();
    const std::string a = writeFile(
        "a.txt", downloadFile({"Cold,Time,Celsius(\260C),Serial Number", "1,01/06/2026 10:00:00,1.0,000000051",
                               "2,01/06/2026 10:10:00,2.0", "3,01/06/2026 10:20:00,3.0"}));
    const std::string b =
        writeFile("b.txt", downloadFile({"Cold,Time,Celsius(\260C),Serial Number",
                                         "1,01/06/2026 10:05:00,1.5,000000051", "2,01/06/2026 10:10:00,2.5"}));
    add(*store, a);
    add(*store, b);
    const std::vector<Deployment> both = store->deployments(std::string("000000051"));
    // 10:05 to 10:10 in Berlin's summer time: 08:05 to 08:10 UTC.
    std::vector<double> values;
    forEachReading(*store, both, 1780301100, 1780301400,
                   [&](const StoredReading& r) { values.push_back(r.values[kFirstValue]); });
    EXPECT_EQ(values, (std::vector<double>{1.5, 2.0, 2.5}));

    {
        std::unique_ptr<ReadingCursor> cursor = store->readingsInOrder(both, INT64_MIN / 2, INT64_MAX / 2);
        StoredReading first;
        ASSERT_TRUE(cursor->next(first));
    }
    EXPECT_EQ(store->deployments(std::string("000000051")).size(), 2u);
    EXPECT_EQ(readingsOf(*store, "000000051").size(), 5u);
}

// A log across the year's end: the reading on midnight itself belongs to the new
// year (a new month's, and on PostgreSQL a new partition's, first instant), and a
// range of just that instant finds it and nothing else.
TEST_P(ArchiveTest, ReadingsAcrossTheYearsEnd)
{
    auto store = open();
    const std::string path = writeFile(
        "newyear.txt", downloadFile({"Cold,Time,Celsius(\260C),Serial Number", "1,31/12/2026 23:50:00,1.0,000000052",
                                     "2,01/01/2027 00:00:00,2.0", "3,01/01/2027 00:10:00,3.0"}));
    ASSERT_EQ(add(*store, path, "UTC").status, AddStatus::Added);
    std::vector<std::pair<std::int64_t, double>> all;
    for (const StoredReading& r : readingsOf(*store, "000000052"))
        all.emplace_back(r.timeUtc, r.values[kFirstValue]);
    const std::vector<std::pair<std::int64_t, double>> expected = {
        {1798761000, 1.0}, {1798761600, 2.0}, {1798762200, 3.0}};
    EXPECT_EQ(all, expected);
    std::vector<double> midnight;
    forEachReading(*store, store->deployments(std::string("000000052")), 1798761600, 1798761600,
                   [&](const StoredReading& r) { midnight.push_back(r.values[kFirstValue]); });
    EXPECT_EQ(midnight, (std::vector<double>{2.0}));
}

// A store made by a newer program is left alone, saying which version it is.
TEST_P(ArchiveTest, NewerSchemaIsRefused)
{
    open(); // creates it
    rawSql("UPDATE schema_version SET version = 99");
    try {
        open();
        FAIL() << "a store of version 99 was opened";
    } catch (const StoreError& e) {
        // SQLite keeps the first version; PostgreSQL's second packs readings in blocks.
        const std::string known = GetParam() == Engine::Sqlite ? "1" : "2";
        EXPECT_NE(std::string(e.what()).find("schema version 99; this version knows up to " + known), std::string::npos)
            << e.what();
    }
}

INSTANTIATE_TEST_SUITE_P(Engines, ArchiveTest, ::testing::Values(Engine::Sqlite, Engine::Postgres), engineName);

} // namespace
} // namespace velmora::test
