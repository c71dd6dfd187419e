// File > Open from Archive...'s choices and the deployment's file it opens.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "archive_add.h"
#include "archive_pick.h"
#include "store_fixture.h"

namespace velmora::test {
namespace {

Deployment deployment(std::int64_t id, const std::string& serial, const std::string& name, std::int64_t first,
                      std::int64_t last)
{
    Deployment d;
    d.id = id;
    d.serial = serial;
    d.name = name;
    d.firstUtc = first;
    d.lastUtc = last;
    d.readingCount = 10;
    return d;
}

std::vector<std::int64_t> ids(const std::vector<Deployment>& ds)
{
    std::vector<std::int64_t> out;
    for (const Deployment& d : ds)
        out.push_back(d.id);
    return out;
}

// A deployment is in a range when any reading is: one ending on the range's first
// second, or starting on its last, is; other loggers' and empty ones never are.
TEST(ArchivePick, DeploymentsInRange)
{
    Deployment empty = deployment(5, "A", "Fridge", 150, 150);
    empty.readingCount = 0;
    const std::vector<Deployment> all = {deployment(3, "A", "Fridge", 300, 400), deployment(1, "A", "Fridge", 100, 200),
                                         deployment(2, "B", "Freezer", 100, 400),
                                         deployment(4, "A", "Fridge", 401, 500), empty};
    EXPECT_EQ(ids(deploymentsInRange(all, "A", std::nullopt, std::nullopt)), (std::vector<std::int64_t>{1, 3, 4}));
    EXPECT_EQ(ids(deploymentsInRange(all, "A", 200, 300)), (std::vector<std::int64_t>{1, 3}));
    EXPECT_EQ(ids(deploymentsInRange(all, "A", 201, 299)), (std::vector<std::int64_t>{}));
    EXPECT_EQ(ids(deploymentsInRange(all, "A", 450, std::nullopt)), (std::vector<std::int64_t>{4}));
    EXPECT_EQ(ids(deploymentsInRange(all, "A", std::nullopt, 100)), (std::vector<std::int64_t>{1}));
}

// One entry a logger, named as its latest deployment names it (a logger renamed
// between downloads shows its new name).
TEST(ArchivePick, LoggersByTheirLatestName)
{
    const std::vector<Deployment> all = {deployment(2, "B", "Freezer 2", 500, 600),
                                         deployment(1, "B", "Freezer", 100, 200),
                                         deployment(3, "A", "Fridge", 100, 200)};
    EXPECT_EQ(archivedLoggers(all), (std::vector<ArchivedLogger>{{"A", "Fridge"}, {"B", "Freezer 2"}}));
}

// A range on the chart: each end measured from the deployment that holds it, in that
// deployment's place on the axis. Here the second file sits an hour further along the
// axis than its instants alone would put it (its start read in another zone), so an
// end placed through the wrong file lands an hour off.
TEST(ArchivePick, RangeOnTheChartsAxis)
{
    const std::vector<Deployment> two = {deployment(1, "A", "Fridge", 1000, 4000),
                                         deployment(2, "A", "Fridge", 5000, 9000)};
    const AxisRange r = rangeOnAxis(two, {0, 7600}, 1500, 5600);
    EXPECT_EQ(r.xMin, 500);
    EXPECT_EQ(r.xMax, 8200);
    // An open end is the chart's own edge, whatever the files.
    const AxisRange open = rangeOnAxis(two, {0, 7600}, std::nullopt, 5600);
    EXPECT_LT(open.xMin, -1000000000000LL);
    EXPECT_EQ(open.xMax, 8200);
}

using PickFileTest = StoreTest;

// The file comes out byte for byte under its own name, only inside the folder given,
// and not at all when its bytes no longer have the SHA-256 it was added with.
TEST_P(PickFileTest, ExtractsTheFileAsAdded)
{
    const std::string bytes = downloadFile(
        {"Cold,Time,Celsius(\260C),Serial Number", "1,01/06/2026 10:00:00,1.0,000000060", "2,01/06/2026 10:10:00,2.0"});
    const std::string path = writeFile("fridge june.txt", bytes);
    auto store = open();
    AddRequest request;
    request.path = path;
    request.zone = "Europe/Berlin";
    request.now = 1800000000;
    ASSERT_EQ(addDownloadFile(*store, request).status, AddStatus::Added);
    Deployment d = store->deployments(std::nullopt).at(0);
    const std::string out = (folder() / "cache").string();

    const std::string extracted = extractDeploymentFile(*store, d, out);
    EXPECT_EQ(std::filesystem::path(extracted).filename(), "fridge june.txt");
    std::ifstream in(extracted, std::ios::binary);
    std::stringstream read;
    read << in.rdbuf();
    EXPECT_EQ(read.str(), bytes);

    d.fileName = "../../escape.txt";
    const std::string inside = extractDeploymentFile(*store, d, out);
    EXPECT_EQ(std::filesystem::path(inside).parent_path().parent_path(), std::filesystem::path(out));

    d.sha256[0] = d.sha256[0] == '0' ? '1' : '0';
    d.fileName = "changed.txt";
    EXPECT_THROW(extractDeploymentFile(*store, d, out), StoreError);
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(out) / std::to_string(d.id) / "changed.txt"));
}

INSTANTIATE_TEST_SUITE_P(Engines, PickFileTest, ::testing::Values(Engine::Sqlite), engineName);

} // namespace
} // namespace velmora::test
