#include "chart_texts.h"

#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>

namespace velmora {
namespace {

constexpr double kGap = ChartDataSet::kGap;
// 7 December 2026 14:00:00 as written by a logger: 9837 days after 1 January 2000.
constexpr std::int64_t kStart = GraphData::kDefaultStart + 9837LL * 86400 + 14 * 3600;

// Fridge with a dew-point trace and a humidity channel, three readings 10 s apart.
GraphData humidityFile()
{
    GraphData d;
    d.loggerName = "Store";
    d.startTime = kStart;
    d.sampleInterval = 10;
    d.readingCount = 3;
    ChannelData& c1 = d.channel1;
    c1.present = c1.hasHigh = c1.hasThird = true;
    c1.name = "Celsius";
    c1.unit = "\260C";
    c1.decimals = 2;
    c1.data.setInterval(10);
    for (int s : {0, 1, 3})
        c1.data.setPointCount(s, 3);
    c1.data.setPointCount(2, 3);
    c1.data.values(0) = {4.5, 4.567, -0.25};
    c1.data.values(1) = {8.0, 8.0, 8.0};
    c1.data.values(3) = {3.04, kGap, -7.96};
    for (int s : {0, 1, 3}) {
        c1.data.setShown(s, true);
        c1.data.setLastPoint(s, 2);
    }
    ChannelData& c2 = d.channel2;
    c2.present = true;
    c2.name = "Humidity";
    c2.unit = "%rh";
    c2.data.setInterval(10);
    c2.data.setPointCount(0, 3);
    c2.data.values(0) = {65.5, 70.0, kGap};
    c2.data.setShown(0, true);
    c2.data.setLastPoint(0, 2);
    return d;
}

TEST(TimeText, ShowsTheLoggersOwnWallClockWhateverTheZone)
{
    const char* old = std::getenv("TZ");
    const std::string saved = old ? old : "";
    for (const char* zone : {"UTC0", "EST5EDT,M3.2.0,M11.1.0", "NZST-12NZDT,M9.5.0,M4.1.0/3"}) {
        setenv("TZ", zone, 1);
        tzset();
        EXPECT_EQ(timeText(0), " 01 January 1970 00:00:00") << zone;
        EXPECT_EQ(timeText(kStart + 59), " 07 December 2026 14:00:59") << zone;
        EXPECT_EQ(timeText(GraphData::kDefaultStart), " 01 January 2000 00:00:00") << zone;
    }
    if (old)
        setenv("TZ", saved.c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
}

TEST(FromToText, FollowsTheRangeAndIsASpaceWithoutReadings)
{
    const GraphData d = humidityFile();
    EXPECT_EQ(fromToText(d), "From:-  07 December 2026 14:00:00     To:-  07 December 2026 14:00:20");
    EXPECT_EQ(fromToText(d, 10.0, 19.9999999), "From:-  07 December 2026 14:00:10     To:-  07 December 2026 14:00:20");

    GraphData empty;
    EXPECT_EQ(fromToText(empty), " ");
    GraphData before1970 = humidityFile();
    before1970.startTime = -100;
    EXPECT_EQ(fromToText(before1970, 0, 20), " ");
}

TEST(ReadoutIndex, RoundsHalfUpAndRefusesWhatIsNotAReading)
{
    const GraphData d = humidityFile(); // interval 10, last point 2
    struct Case {
        double x;
        long expected; // -1: the From/To line instead
    } cases[] = {
        {0.0, 0},   {4.9, 0},   {5.0, 1},  {14.99, 1}, {15.0, 2},   {24.9, 2},
        {25.0, -1}, {kGap, -1}, {-4.0, 0}, {-14.9, 0}, {-15.0, -1}, {-1e9, -1},
    };
    for (const Case& c : cases) {
        const auto index = readoutIndex(d, c.x);
        if (c.expected < 0)
            EXPECT_FALSE(index.has_value()) << c.x;
        else
            EXPECT_EQ(index.value_or(99), static_cast<std::size_t>(c.expected)) << c.x;
    }
    EXPECT_FALSE(readoutIndex(GraphData{}, 0.0).has_value()) << "an empty document has no reading";
}

TEST(ReadoutText, ShowsTheShownValuesWithTheirDecimalsAndUnits)
{
    const GraphData d = humidityFile();
    const std::string t1 = " 07 December 2026 14:00:10";
    struct Case {
        std::size_t index;
        ReadoutSeries series;
        std::string expected;
    } cases[] = {
        {0, {true, true, true}, " 07 December 2026 14:00:00 : 4.50\260C, 3.0\260C, 65.5%rh"},
        // the third trace read "Error" here: a gap, left out
        {1, {true, true, true}, t1 + " : 4.57\260C, 70.0%rh"},
        {2, {true, true, true}, " 07 December 2026 14:00:20 : -0.25\260C, -8.0\260C"},
        {0, {false, true, true}, " 07 December 2026 14:00:00 : 3.0\260C, 65.5%rh"},
        {0, {false, false, true}, " 07 December 2026 14:00:00 : 65.5%rh"},
        {0, {false, false, false}, " 07 December 2026 14:00:00 : "},
    };
    for (const Case& c : cases)
        EXPECT_EQ(readoutText(d, c.index, c.series), c.expected) << c.index;
}

TEST(ReadoutText, FollowsTheSeriesTheFileDeclared)
{
    GraphData d = humidityFile();
    d.channel1.data.setShown(3, false); // as if the file had no dew point column
    d.channel1.decimals = 0;
    d.channel1.data.setY(0, 0, 4.6);
    EXPECT_EQ(readoutText(d, 1), " 07 December 2026 14:00:10 : 5\260C, 70.0%rh");

    // No high-alarm column: the channel's value still shows.
    d.channel1.data.setShown(1, false);
    EXPECT_EQ(readoutText(d, 0), " 07 December 2026 14:00:00 : 5\260C, 65.5%rh");
}

TEST(PointerFooterText, IsTheReadoutOverAReadingElseTheFromToLine)
{
    const GraphData d = humidityFile();
    const ReadoutSeries all;
    const std::string fromTo = "From:-  07 December 2026 14:00:10     To:-  07 December 2026 14:00:20";
    EXPECT_EQ(pointerFooterText(d, kGap, 10, 20, all), fromTo);
    EXPECT_EQ(pointerFooterText(d, 31, 10, 20, all), fromTo);
    EXPECT_EQ(pointerFooterText(d, 16, 10, 20, all), " 07 December 2026 14:00:20 : -0.25\260C, -8.0\260C");
}

} // namespace
} // namespace velmora
