// Joining one logger's files into one series. The expected series are worked by hand
// from each file's first reading (seconds on the shared axis) and interval.
#include <gtest/gtest.h>

#include "deployment_join.h"
#include "document_statistics.h"

namespace velmora {
namespace {

constexpr double G = ChartDataSet::kGap;

GraphData logger(const char* serial, std::int32_t interval, std::vector<double> values,
                 std::vector<std::size_t> notNumbers = {})
{
    GraphData d;
    d.serialNumber = serial;
    d.sampleInterval = interval;
    d.readingCount = static_cast<std::int32_t>(values.size());
    d.channel1.present = true;
    d.channel1.unit = "C";
    d.channel1.data.setInterval(interval);
    d.channel1.data.setShown(0, true);
    d.channel1.data.values(0).assign(values.begin(), values.end());
    for (std::size_t i : notNumbers)
        d.channel1.data.addNotNumber(0, i);
    return d;
}

std::vector<double> readings(const GraphData& d)
{
    const ChartDataSet::Values& v = d.channel1.data.values(0);
    return {v.begin(), v.end()};
}

TEST(DeploymentJoin, OneLoggersFilesBecomeOneSeriesOnItsGrid)
{
    struct Case {
        const char* what;
        std::vector<GraphData> files;
        std::vector<std::int64_t> offsets;
        std::vector<double> joined;
    };
    Case cases[] = {
        {"a gap between deployments stays a gap",
         {logger("7", 60, {1, 2}), logger("7", 60, {3, 4})},
         {0, 240},
         {1, 2, G, G, 3, 4}},
        {"exact abutment: no gap and nothing lost",
         {logger("7", 60, {1, 2}), logger("7", 60, {3, 4})},
         {0, 120},
         {1, 2, 3, 4}},
        {"an overlap is shown once, the later file winning where it reads",
         {logger("7", 60, {1, 2, 3}), logger("7", 60, {G, 8, 9})},
         {0, 60},
         {1, 2, 8, 9}},
        {"a later file inside an earlier one: the earlier keeps what the later does not hold",
         {logger("7", 60, {1, 2, 3, 4, 5}), logger("7", 60, {8, 9})},
         {0, 60},
         {1, 8, 9, 4, 5}},
        {"two downloads from one start: the longer is the later",
         {logger("7", 60, {5, 6, 7}), logger("7", 60, {1, 2})},
         {0, 0},
         {5, 6, 7}},
        {"given latest first, still placed by time",
         {logger("7", 30, {3, 4}), logger("7", 30, {1, 2})},
         {90, 0},
         {1, 2, G, 3, 4}},
    };
    for (Case& c : cases) {
        std::vector<const GraphData*> files;
        for (const GraphData& f : c.files)
            files.push_back(&f);
        const JoinedFiles j = joinDeployments(files, c.offsets);
        ASSERT_EQ(j.shown.size(), 1u) << c.what;
        EXPECT_EQ(readings(*j.shown[0].data), c.joined) << c.what;
        EXPECT_EQ(j.shown[0].data->readingCount, static_cast<std::int32_t>(c.joined.size())) << c.what;
        EXPECT_EQ(j.shown[0].offset, std::min(c.offsets[0], c.offsets[1])) << c.what;
        EXPECT_EQ(j.shown[0].members, (std::vector<std::size_t>{0, 1})) << c.what;
    }
}

TEST(DeploymentJoin, TheTimeBetweenDeploymentsIsNoSkippedField)
{
    // Readings 2..4 lie between the files; reading 6 is the second file's own gap.
    const GraphData a = logger("7", 60, {1, 2});
    const GraphData b = logger("7", 60, {3, 4, G, 5});
    const JoinedFiles j = joinDeployments({&a, &b}, {0, 240});
    using Stretches = std::vector<std::pair<std::size_t, std::size_t>>;
    EXPECT_EQ(j.shown[0].data->noLines, (Stretches{{2, 4}}));
    const GraphData& joined = *j.shown[0].data;
    const DocumentStatistics st = documentStatistics(joined, wholeFile(joined), {});
    ASSERT_FALSE(st.series.empty());
    EXPECT_EQ(st.series[0].stats.count, 5u);
    EXPECT_EQ(st.series[0].stats.skipped, 1u) << "the second file's own empty field only";
}

TEST(DeploymentJoin, FilesThatCannotShareOneGridStayApart)
{
    struct Case {
        const char* what;
        const char* firstSerial;
        GraphData second;
        std::int64_t offset;
    };
    Case cases[] = {
        {"another serial number", "7", logger("8", 60, {3, 4}), 120},
        {"another interval", "7", logger("7", 30, {3, 4}), 120},
        {"off the first one's grid", "7", logger("7", 60, {3, 4}), 150},
        {"no serial number: nothing says it is one logger", "", logger("", 60, {3, 4}), 120},
    };
    for (Case& c : cases) {
        const GraphData first = logger(c.firstSerial, 60, {1, 2});
        const JoinedFiles j = joinDeployments({&first, &c.second}, {0, c.offset});
        ASSERT_EQ(j.shown.size(), 2u) << c.what;
        EXPECT_EQ(j.shown[0].data, &first) << c.what;
        EXPECT_EQ(j.shown[1].data, &c.second) << c.what;
        EXPECT_EQ(j.shown[1].offset, c.offset) << c.what;
    }
}

TEST(DeploymentJoin, OtherFilesKeepTheirPlaceAndFieldsWithoutANumberFollowTheWinner)
{
    // Logger 7's fields at its first file's readings 0 and 2 and its second file's
    // reading 1 held no number; the second file (from X 120) wins reading 2.
    const GraphData a = logger("7", 60, {0, 2, 0}, {0, 2});
    const GraphData other = logger("9", 60, {5});
    const GraphData b = logger("7", 60, {6, 0}, {1});
    const JoinedFiles j = joinDeployments({&a, &other, &b}, {0, 0, 120});
    ASSERT_EQ(j.shown.size(), 2u);
    EXPECT_EQ(j.shown[0].members, (std::vector<std::size_t>{0, 2}));
    EXPECT_EQ(j.shown[1].data, &other);
    EXPECT_EQ(readings(*j.shown[0].data), (std::vector<double>{0, 2, 6, 0}));
    EXPECT_EQ(j.shown[0].data->channel1.data.notNumbers(0), (std::vector<std::size_t>{0, 3}));
}

} // namespace
} // namespace velmora
