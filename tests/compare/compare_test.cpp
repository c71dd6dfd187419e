// Several files side by side. Every expected figure below is worked out by hand from
// the files' starts, intervals and readings.
#include <gtest/gtest.h>

#include "comparison_summary.h"
#include "comparison_table.h"
#include "spread_series.h"
#include "time_alignment.h"
#include "time_zone.h"
#include "unit_axes.h"

namespace velmora {
namespace {

constexpr const char* kCelsius = "\xB0"
                                 "C";

std::int64_t at(const char* stamp)
{
    const std::optional<std::int64_t> t = parseReadingTime(stamp);
    EXPECT_TRUE(t) << stamp;
    return t.value_or(0);
}

// A file as the reader leaves it: the first channel's readings and, when given, a
// high alarm level on every line.
GraphData file(const char* start, std::int32_t interval, const char* unit, std::vector<double> values,
               std::optional<double> high = std::nullopt)
{
    GraphData d;
    d.startTime = at(start);
    d.sampleInterval = interval;
    d.readingCount = static_cast<std::int32_t>(values.size());
    d.channel1.present = true;
    d.channel1.name = "Value";
    d.channel1.unit = unit;
    d.channel1.data.setInterval(interval);
    d.channel1.data.setShown(0, true);
    for (double v : values)
        d.channel1.data.values(0).push_back(v);
    if (high) {
        d.channel1.hasHigh = true;
        d.channel1.highLabel = "High Alarm";
        d.channel1.data.values(1).assign(values.size(), *high);
    }
    return d;
}

TEST(TimeAlignment, EachStartIsReadInTheComputersZoneAndTheReadingsFollowItUnshifted)
{
    struct Case {
        const char* zone;
        const char* firstStart;
        const char* secondStart;
        std::int64_t offset; // seconds of the shared axis from the first file's start to the second's
        const char* why;
    };
    const Case cases[] = {
        {"Europe/Berlin", "28/03/2026 12:00:00", "29/03/2026 12:00:00", 23 * 3600,
         "started a day apart across the spring change: 11:00Z and 10:00Z next day"},
        {"UTC", "28/03/2026 12:00:00", "29/03/2026 12:00:00", 24 * 3600, "no changes in UTC"},
        {"America/New_York", "28/03/2026 12:00:00", "29/03/2026 12:00:00", 24 * 3600,
         "New York changed three weeks earlier"},
        {"Europe/Berlin", "29/03/2026 01:00:00", "29/03/2026 03:00:00", 3600,
         "01:00 CET is 00:00Z, 03:00 CEST is 01:00Z"},
        {"Europe/Berlin", "29/03/2026 01:00:00", "29/03/2026 02:30:00", 5400,
         "02:30 was skipped: read at the offset before the change, 01:30Z"},
        {"Europe/Berlin", "25/10/2026 00:00:00", "25/10/2026 02:30:00", 9000,
         "02:30 came twice: its first time, 00:30Z, after 22:00Z the day before"},
        {"Europe/Berlin", "01/06/2026 08:00:00", "01/06/2026 07:59:00", -60, "a later file may start first"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        test::ScopedTimeZone zone(c.zone);
        const GraphData a = file(c.firstStart, 600, kCelsius, {1, 2, 3});
        const GraphData b = file(c.secondStart, 300, kCelsius, {1, 2});
        const TimeAlignment t = alignTimes({&a, &b});
        EXPECT_EQ(t.timeBase, at(c.firstStart));
        ASSERT_EQ(t.offsets.size(), 2u);
        EXPECT_EQ(t.offsets[0], 0);
        EXPECT_EQ(t.offsets[1], c.offset);
    }
}

TEST(TimeAlignment, TimesOfTheAxisAreTheFirstFilesClockAndConvertToEachFilesOwn)
{
    // The first logger ran on winter time through the change; the second was started
    // after it. 04:00 on the first one's clock is 03:00Z, 05:00 on the second's.
    test::ScopedTimeZone zone("Europe/Berlin");
    const GraphData a = file("29/03/2026 01:00:00", 600, kCelsius, {1, 2, 3});
    const GraphData b = file("29/03/2026 03:00:00", 600, kCelsius, {1, 2, 3});
    const std::vector<const GraphData*> files{&a, &b};
    const TimeAlignment t = alignTimes(files);
    EXPECT_EQ(t.toFileTime(files, 1, at("29/03/2026 04:00:00")), at("29/03/2026 05:00:00"));
    EXPECT_EQ(t.toAxisTime(files, 1, at("29/03/2026 05:00:00")), at("29/03/2026 04:00:00"));
    EXPECT_EQ(t.toFileTime(files, 0, at("29/03/2026 04:00:00")), at("29/03/2026 04:00:00"));
}

TEST(TimeAlignment, FromTheEarliestNoFileStartsBeforeZeroAndTheClockStaysTheFirstFiles)
{
    test::ScopedTimeZone zone("UTC");
    const GraphData a = file("01/06/2026 08:00:00", 60, kCelsius, {1, 2});
    const GraphData b = file("01/06/2026 07:58:00", 60, kCelsius, {1, 2});
    const GraphData c = file("01/06/2026 08:05:00", 60, kCelsius, {1, 2});
    const std::vector<const GraphData*> files{&a, &b, &c};
    const TimeAlignment t = alignTimes(files).fromEarliest();
    EXPECT_EQ(t.timeBase, at("01/06/2026 07:58:00"));
    EXPECT_EQ(t.offsets, (std::vector<std::int64_t>{120, 0, 420}));
    EXPECT_EQ(t.toFileTime(files, 2, at("01/06/2026 08:06:00")), at("01/06/2026 08:06:00"));
}

TEST(TimeAlignment, OneFileKeepsItsOwnAxis)
{
    test::ScopedTimeZone zone("Europe/Berlin");
    const GraphData a = file("29/03/2026 02:30:00", 60, kCelsius, {1});
    const TimeAlignment t = alignTimes({&a});
    EXPECT_EQ(t.timeBase, a.startTime);
    EXPECT_EQ(t.offsets, std::vector<std::int64_t>{0});
}

TEST(UnitAxes, FirstUnitLeftSecondRightAThirdIsRefusedByName)
{
    const std::string rh = "%RH";
    const AxisPlan plan = planAxes({kCelsius, rh, kCelsius,
                                    "\xB0"
                                    "F",
                                    rh},
                                   {"/data/a.txt", "/data/b.txt", "/data/c.txt", "/data/d %2.txt", "/data/e.txt"});
    EXPECT_EQ(plan.axes, (std::vector<AxisSide>{AxisSide::Left, AxisSide::Right, AxisSide::Left}));
    EXPECT_EQ(plan.refused, std::optional<std::size_t>(3));
    EXPECT_EQ(plan.message, "/data/d %2.txt\nThis file cannot join the chart: its unit \u00B0F fits neither axis "
                            "(\u00B0C on the left, %RH on the right).");

    // A file without a unit is a unit of its own; the units are compared exactly.
    UnitAxes axes;
    EXPECT_EQ(axes.place(""), AxisSide::Left);
    EXPECT_EQ(axes.place("%rh"), AxisSide::Right);
    EXPECT_EQ(axes.place("%RH"), std::nullopt);
    EXPECT_EQ(axes.refusal("x.txt", "%RH"),
              "x.txt\nThis file cannot join the chart: its unit %RH fits neither axis ((no unit) on the left, %rh on "
              "the right).");
}

// Four files; the third is a humidity logger and takes no part although its figures
// are the highest. Ties go to the earlier file.
struct Study {
    GraphData hall = file("01/06/2026 08:00:00", 60, kCelsius, {4, 6, 9, 7}, 8.0);
    GraphData door = file("01/06/2026 08:01:00", 300, kCelsius, {5, 10, 11, 3}, 8.0);
    GraphData damp = file("01/06/2026 08:00:00", 60, "%RH", {90, 95});
    GraphData shelf = file("01/06/2026 08:00:00", 60, kCelsius, {3, 3});
    std::vector<const GraphData*> files{&hall, &door, &damp, &shelf};
};

TEST(ComparisonSummary, FiguresOfTheFirstChannelAcrossFiles)
{
    const Study s;
    std::vector<DocumentStatistics> stats;
    for (const GraphData* d : s.files)
        stats.push_back(documentStatistics(*d, wholeFile(*d)));
    std::vector<ComparedFile> compared;
    for (std::size_t f = 0; f < s.files.size(); ++f)
        compared.push_back({s.files[f], &stats[f]});
    const ComparisonSummary sum = compareFirstChannels(compared);

    ASSERT_TRUE(sum.hottest && sum.coldest && sum.warmestMean && sum.coolestMean && sum.longestAboveHigh);
    // door: 11 at its third reading, 08:01 + 2 × 5 min.
    EXPECT_EQ(sum.hottest->file, 1u);
    EXPECT_EQ(sum.hottest->value, 11);
    EXPECT_EQ(sum.hottest->time, at("01/06/2026 08:11:00"));
    // door's 3 at 08:16 ties shelf's 3 and comes first.
    EXPECT_EQ(sum.coldest->file, 1u);
    EXPECT_EQ(sum.coldest->value, 3);
    EXPECT_EQ(sum.coldest->time, at("01/06/2026 08:16:00"));
    // Means: hall 26/4 = 6.5, door 29/4 = 7.25, shelf 3.
    EXPECT_EQ(sum.warmestMean->file, 1u);
    EXPECT_DOUBLE_EQ(sum.warmestMean->mean, 7.25);
    EXPECT_EQ(sum.coolestMean->file, 3u);
    EXPECT_DOUBLE_EQ(sum.coolestMean->mean, 3);
    // Above 8: hall one reading (60 s), door two in a row (2 × 300 s).
    EXPECT_EQ(sum.longestAboveHigh->file, 1u);
    EXPECT_EQ(sum.longestAboveHigh->seconds, 600);
}

TEST(ComparisonSummary, NoHighAlarmAnywhereGivesNoLongestTimeAndEmptyRangesTakeNoPart)
{
    const GraphData a = file("01/06/2026 08:00:00", 60, kCelsius, {20, 30});
    const GraphData b = file("01/06/2026 08:00:00", 60, kCelsius, {1, 2});
    const DocumentStatistics sa = documentStatistics(a, wholeFile(a));
    const DocumentStatistics sb = documentStatistics(b, ReadingRange{}); // nothing of b in range
    const ComparisonSummary sum = compareFirstChannels({{&a, &sa}, {&b, &sb}});
    EXPECT_FALSE(sum.longestAboveHigh);
    ASSERT_TRUE(sum.coldest);
    EXPECT_EQ(sum.coldest->file, 0u);
    EXPECT_EQ(sum.coldest->value, 20);
}

TEST(SpreadSeries, HighestLessLowestAtEachStepOfTheFinestInterval)
{
    test::ScopedTimeZone zone("UTC");
    Study s;
    // hall's last reading held no number: drawn as 0, no reading for the spread.
    s.hall.channel1.data.setY(0, 3, 0);
    s.hall.channel1.data.addNotNumber(0, 3);
    const SpreadSeries spread = spreadSeries(s.files, alignTimes(s.files));
    // hall covers 0..240 s, door 60..1260 s, shelf 0..120 s (each reading for its
    // interval); the steps run 0 to door's last reading at 960 s every 60 s.
    EXPECT_EQ(spread.firstX, 0);
    EXPECT_EQ(spread.step, 60);
    const double g = ChartDataSet::kGap;
    // x=0: hall 4, shelf 3. 60: hall 6, door 5, shelf 3. 120: hall 9, door 5.
    // 180: door alone (hall's reading is no number). Later door alone.
    const std::vector<double> expected{1, 3, 4, g, g, g, g, g, g, g, g, g, g, g, g, g, g};
    EXPECT_EQ(spread.values, expected);
}

TEST(SpreadSeries, FewerThanTwoFilesHaveNoSpread)
{
    const GraphData a = file("01/06/2026 08:00:00", 60, kCelsius, {1, 2});
    const GraphData rh = file("01/06/2026 08:00:00", 60, "%RH", {1, 2});
    EXPECT_TRUE(spreadSeries({&a}, alignTimes({&a})).values.empty());
    EXPECT_TRUE(spreadSeries({&a, &rh}, alignTimes({&a, &rh})).values.empty());
}

TEST(ComparisonTable, AColumnPerFileARowPerFigureThenTheSummary)
{
    Study s;
    s.hall.channel1.decimals = s.door.channel1.decimals = s.damp.channel1.decimals = 1;
    const std::vector<const GraphData*> three{&s.hall, &s.damp, &s.door};
    std::vector<DocumentStatistics> stats;
    for (const GraphData* d : three)
        stats.push_back(documentStatistics(*d, wholeFile(*d)));
    const StatisticsTable t = comparisonTable({{three[0], &stats[0]}, {three[1], &stats[1]}, {three[2], &stats[2]}},
                                              {"hall.txt", "damp.txt", "door.txt"});
    EXPECT_EQ(t.columns,
              (std::vector<std::string>{"hall.txt: Value (°C)", "damp.txt: Value (%RH)", "door.txt: Value (°C)"}));
    const auto row = [&](const std::string& label) {
        for (const StatisticsTable::Row& r : t.rows)
            if (r.label == label)
                return r.cells;
        ADD_FAILURE() << "no row " << label;
        return std::vector<std::string>{};
    };
    EXPECT_EQ(row("Maximum"), (std::vector<std::string>{"9.0°C", "95.0%RH", "11.0°C"}));
    EXPECT_EQ(row("Maximum first reached"),
              (std::vector<std::string>{"01/06/2026 08:02:00", "01/06/2026 08:01:00", "01/06/2026 08:11:00"}));
    // damp has no high alarm column.
    EXPECT_EQ(row("Longest above high alarm"), (std::vector<std::string>{"1 min", "-", "10 min"}));
    EXPECT_EQ(row("Hottest"), std::vector<std::string>{"door.txt: 11.0°C at 01/06/2026 08:11:00"});
    EXPECT_EQ(row("Coolest mean"), std::vector<std::string>{"hall.txt: 6.50°C"});
}
} // namespace
} // namespace velmora
