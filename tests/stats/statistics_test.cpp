// The statistics of small download files against figures worked out by hand, the mean
// kinetic temperature against a worked example, ranges of readings, and sums that
// must not drift over a million readings.
#include "document_statistics.h"

#include <cmath>
#include <random>

#include <gtest/gtest.h>

#include "graph_data_reader.h"

namespace velmora {
namespace {

GraphData load(const std::string& name)
{
    GraphData data;
    EXPECT_EQ(parseDataFile(std::string(VELMORA_TEST_DATA_DIR) + "/" + name, data), ReadStatus::Loaded) << name;
    return data;
}

constexpr double kNone = -1; // "not given" in the tables below
constexpr double kSkip = -2; // a mean kinetic temperature that is checked in its own test

struct Expected {
    std::size_t count;
    std::size_t skipped; // gaps in the range: fields with no number, a dew point's "Error"
    double min;
    std::size_t minIndex;
    double max;
    std::size_t maxIndex;
    double mean;
    double stddev;
    double mkt; // kNone: no mean kinetic temperature
    // Per level column: readings beyond, runs, longest run (kNone: no such column).
    double level0[3];
    double level1[3];
};

void expectSeries(const SeriesStatistics& s, const Expected& e, const std::string& what)
{
    SCOPED_TRACE(what);
    EXPECT_EQ(s.count, e.count);
    EXPECT_EQ(s.skipped, e.skipped);
    if (e.count > 0) {
        EXPECT_DOUBLE_EQ(s.minimum, e.min);
        EXPECT_EQ(s.minimumIndex, e.minIndex);
        EXPECT_DOUBLE_EQ(s.maximum, e.max);
        EXPECT_EQ(s.maximumIndex, e.maxIndex);
        EXPECT_NEAR(s.mean, e.mean, 1e-12);
        EXPECT_NEAR(s.standardDeviation, e.stddev, 1e-12);
    }
    EXPECT_EQ(s.meanKinetic.has_value(), e.mkt != kNone);
    if (s.meanKinetic && e.mkt != kNone && e.mkt != kSkip) {
        EXPECT_NEAR(*s.meanKinetic, e.mkt, 1e-9);
    }
    const double* levels[2] = {e.level0, e.level1};
    for (int l = 0; l < 2; ++l) {
        if (levels[l][0] == kNone) {
            EXPECT_FALSE(s.levels[l]) << "level " << l;
            continue;
        }
        ASSERT_TRUE(s.levels[l]) << "level " << l;
        EXPECT_EQ(s.levels[l]->readings, levels[l][0]) << "level " << l;
        EXPECT_EQ(s.levels[l]->runs, levels[l][1]) << "level " << l;
        EXPECT_EQ(s.levels[l]->longestRun, levels[l][2]) << "level " << l;
    }
}

// Whole files: each series in channel order (first channel, second channel, third trace).
TEST(Statistics, SmallFilesWorkedOutByHand)
{
    const struct {
        const char* file;
        std::vector<Expected> series;
    } cases[] = {
        // 5 9 9.5 5 1 8.5 8 1.5 1.5 5 against 8.0 and 2.0: sum 54; squared deviations
        // from 5.4 add to 96.4. Above 8.0: 9, 9.5 | 8.5 (8.0 itself is not above);
        // below 2.0: 1 | 1.5, 1.5.
        {"stats/fridge_excursions.txt", {{10, 0, 1.0, 4, 9.5, 2, 5.4, std::sqrt(9.64), kSkip, {3, 2, 2}, {3, 2, 2}}}},
        // "Error" where a temperature belongs is no reading (the chart draws it at 0):
        // 5 9 7 1 are left, sum 22, squared deviations from 5.5 add to 35. Above 8.0: 9;
        // the 7 stands on a line whose high alarm reads "Error", so it has no level.
        // Below 2.0: 1 only.
        {"stats/not_numbers.txt", {{4, 2, 1.0, 5, 9.0, 2, 5.5, std::sqrt(8.75), kSkip, {1, 1, 1}, {1, 1, 1}}}},
        // The third line has no level: its reading is not beyond it, and it ends the run.
        {"stats/level_on_some_lines.txt", {{4, 0, 9.0, 0, 9.0, 0, 9.0, 0.0, 9.0, {3, 2, 2}, {kNone}}}},
        // All readings equal: no spread, and the mean kinetic temperature is the reading.
        {"stats/all_equal.txt", {{5, 0, 5.0, 0, 5.0, 0, 5.0, 0.0, 5.0, {kNone}, {kNone}}}},
        // One reading counts once, though it is drawn as two points.
        {"reader/single_reading.txt", {{1, 0, 4.25, 0, 4.25, 0, 4.25, 0.0, 4.25, {0, 0, 0}, {kNone}}}},
        // Gaps: the dew point's "Error" is no reading. Humidity 45.5 0 46 against 80
        // and 20: squared deviations from 30.5 add to 1395.5. The dew point is in °C,
        // so it has a mean kinetic temperature too.
        {"reader/humidity_alarms.txt",
         {{3, 0, 21.5, 0, 21.7, 2, 21.6, std::sqrt(0.02 / 3), kSkip, {0, 0, 0}, {0, 0, 0}},
          {3, 0, 0.0, 1, 46.0, 2, 30.5, std::sqrt(1395.5 / 3), kNone, {0, 0, 0}, {1, 1, 1}},
          {2, 1, 9.3, 0, 9.6, 2, 9.45, 0.15, kSkip, {kNone}, {kNone}}}},
        // Every kind of field without a number, one reading each: Celsius Error 21.5
        // 21.6, its high alarm unreadable on the second line; humidity 45.5 n/a 46 with
        // its low alarm unreadable where the humidity is; the dew point's "error" (not
        // the exact "Error") is no reading either.
        {"reader/not_numbers.txt",
         {{2, 1, 21.5, 1, 21.6, 2, 21.55, 0.05, kSkip, {0, 0, 0}, {0, 0, 0}},
          {2, 1, 45.5, 0, 46.0, 2, 45.75, 0.25, kNone, {0, 0, 0}, {0, 0, 0}},
          {2, 1, 9.3, 0, 9.4, 1, 9.35, 0.05, kSkip, {kNone}, {kNone}}}},
        // Carbon monoxide: the warning level watches readings above it (10 40 50 against 35).
        {"inspect/co_warning.txt",
         {{3,
           0,
           10.0,
           0,
           50.0,
           2,
           100.0 / 3,
           std::sqrt((544.0 + 4.0 / 9 + 44.0 + 4.0 / 9 + 277.0 + 7.0 / 9) / 3),
           kNone,
           {0, 0, 0},
           {2, 1, 2}}}},
    };
    for (const auto& c : cases) {
        const GraphData data = load(c.file);
        const DocumentStatistics stats = documentStatistics(data, wholeFile(data));
        ASSERT_EQ(stats.series.size(), c.series.size()) << c.file;
        for (std::size_t i = 0; i < c.series.size(); ++i)
            expectSeries(stats.series[i].stats, c.series[i], std::string(c.file) + " series " + std::to_string(i));
    }
}

// A worked example of the mean kinetic temperature, ΔH = 83.144 kJ/mol and
// R = 8.314462618 J/(mol·K), so ΔH/R = 9999.92469 K:
//   half the time at 20 °C (293.15 K) and half at 30 °C (303.15 K):
//   e^(-ΔH/R/293.15) = 1.532352e-15, e^(-ΔH/R/303.15) = 4.721161e-15, mean 3.126757e-15,
//   ln(mean) = -33.398780, MKT = 9999.92469 / 33.398780 = 299.409878 K = 26.259878 °C
//   (the arithmetic mean is 25 °C: warm spells weigh more);
//   0 °C and 10 °C written in °F (32 °F and 50 °F): e^(-ΔH/R/273.15) = 1.260762e-16,
//   e^(-ΔH/R/283.15) = 4.593571e-16, ln(mean) = -35.767327, MKT = 279.582670 K =
//   6.432670 °C = 43.578805 °F, given in the file's own °F.
// A larger activation energy weighs the warm spells more: with 100 kJ/mol the first
// example gives ΔH/R = 12027.2355 K, ln(mean) = -40.137538, MKT = 26.500551 °C.
TEST(Statistics, MeanKineticTemperatureWorkedExample)
{
    const struct {
        const char* file;
        double activationEnergy;
        double mkt;
        double tolerance;
    } cases[] = {
        {"stats/worked_example.txt", 83.144, 26.2598777117, 1e-9},
        {"stats/fahrenheit.txt", 83.144, 43.5788051977, 1e-9},
        {"stats/worked_example.txt", 100.0, 26.500551, 1e-6},
    };
    for (const auto& c : cases) {
        const GraphData data = load(c.file);
        const DocumentStatistics stats = documentStatistics(data, wholeFile(data), {c.activationEnergy});
        ASSERT_EQ(stats.series.size(), 1u);
        ASSERT_TRUE(stats.series[0].stats.meanKinetic) << c.file;
        EXPECT_NEAR(*stats.series[0].stats.meanKinetic, c.mkt, c.tolerance) << c.file << " " << c.activationEnergy;
    }
}

TEST(Statistics, ReadingsAtOrBelowAbsoluteZeroHaveNoMeanKineticTemperature)
{
    const double values[] = {-300.0, 20.0};
    SeriesInput input;
    input.values = values;
    input.end = 2;
    input.scale = TemperatureScale::Celsius;
    const SeriesStatistics s = seriesStatistics(input);
    ASSERT_TRUE(s.meanKinetic);
    EXPECT_TRUE(std::isnan(*s.meanKinetic));
    EXPECT_EQ(s.count, 2u);
}

// A range of readings: by X (the viewer's visible range), by time (velmora-cli's
// --from and --to), and the figures over it.
TEST(Statistics, RangesOfReadings)
{
    const GraphData data = load("stats/fridge_excursions.txt"); // 14:00:00 to 14:09:00, 60 s apart
    const std::int64_t start = data.startTime;
    const struct {
        ReadingRange range;
        ReadingRange expected;
    } cases[] = {
        {readingsWithinX(data, 0, 540), {0, 9, false}},
        {readingsWithinX(data, 61, 239.9), {2, 3, false}}, // readings at 120 and 180 s
        {readingsWithinX(data, 59.9999999, 60.0000001), {1, 1, false}},
        {readingsWithinX(data, 61, 119), {}}, // between two readings
        {readingsWithinX(data, -600, 10000), {0, 9, false}},
        {readingsWithinTimes(data, start + 120, start + 300), {2, 5, false}},
        {readingsWithinTimes(data, start - 3600, start), {0, 0, false}},
        {readingsWithinTimes(data, start + 600, start + 900), {}},
        {readingsWithinTimes(data, start + 300, start + 120), {}}, // from after to
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.range.empty, c.expected.empty);
        if (!c.expected.empty) {
            EXPECT_EQ(c.range.first, c.expected.first);
            EXPECT_EQ(c.range.last, c.expected.last);
        }
    }
    // Readings 2..5 (9.5 5 1 8.5): the first excursion above 8.0 started before the range.
    const DocumentStatistics part = documentStatistics(data, readingsWithinTimes(data, start + 120, start + 300));
    expectSeries(part.series[0].stats, {4, 0, 1.0, 4, 9.5, 2, 6.0, std::sqrt(11.125), kSkip, {2, 2, 1}, {1, 1, 1}},
                 "part");
    // not_numbers, readings 2..5 (9 Error 7 1): the times of the extremes count from the
    // file's first reading, not the range's; the "Error" high alarm of the 7 is no level.
    const GraphData marked = load("stats/not_numbers.txt");
    expectSeries(documentStatistics(marked, readingsWithinX(marked, 120, 300)).series[0].stats,
                 {3, 1, 1.0, 5, 9.0, 2, 17.0 / 3, std::sqrt(312.0 / 27), kSkip, {1, 1, 1}, {1, 1, 1}},
                 "part with fields that hold no number");
    const DocumentStatistics none = documentStatistics(data, {});
    EXPECT_EQ(none.series[0].stats.count, 0u);
    EXPECT_TRUE(std::isnan(none.series[0].stats.mean));
}

TEST(Statistics, ReadingTimeTexts)
{
    const struct {
        const char* text;
        std::optional<std::int64_t> seconds;
    } cases[] = {
        {"07/12/2026 14:00:00", 1796652000},   {"01/01/1970 00:00:00", 0},
        {"29/02/2028 23:59:59", 1835481599},   {"29/02/2027 00:00:00", std::nullopt}, // no such day
        {"7/12/2026 14:00:00", std::nullopt},  {"07/12/2026 14:00", std::nullopt},
        {"07-12-2026 14:00:00", std::nullopt}, {"07/12/2026 24:00:00", std::nullopt},
        {"31/12/1969 23:59:59", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(parseReadingTime(c.text), c.seconds) << c.text;
        if (c.seconds) {
            EXPECT_EQ(readingTimeText(*c.seconds), c.text);
        }
    }
}

// A million readings: 20.1 and 20.3 in turn have the mean 20.2 and the standard
// deviation 0.1 exactly; sums kept in one running double would be off in the tenth
// digit, in float by whole degrees.
TEST(Statistics, NoDriftOverAMillionReadings)
{
    std::vector<double> v(1000000);
    for (std::size_t i = 0; i < v.size(); ++i)
        v[i] = i % 2 ? 20.3 : 20.1;
    SeriesInput input;
    input.values = v.data();
    input.end = v.size();
    input.scale = TemperatureScale::Celsius;
    const SeriesStatistics s = seriesStatistics(input);
    EXPECT_NEAR(s.mean, 20.2, 1e-13);
    EXPECT_NEAR(s.standardDeviation, 0.1, 1e-12);
    // Two temperatures 0.2 °C apart in equal shares: the same as the two-reading file.
    const double two[] = {20.1, 20.3};
    input.values = two;
    input.end = 2;
    EXPECT_NEAR(*s.meanKinetic, *seriesStatistics(input).meanKinetic, 1e-12);
}

// The exponential behind the mean kinetic temperature, against the C library's: a
// few units in the last place are far below what a sum of a million terms notices.
TEST(Statistics, ExponentialMatchesTheLibrary)
{
    std::mt19937_64 random(13);
    std::uniform_real_distribution<double> x(-708.0, 0.0);
    for (int i = 0; i < 100000; ++i) {
        const double v = i < 50000 ? x(random) : x(random) / 1000.0;
        EXPECT_NEAR(detail::negativeExp(v), std::exp(v), 1e-15 * std::exp(v)) << v; // a few units in the last place
    }
    EXPECT_EQ(detail::negativeExp(0.0), 1.0);
    EXPECT_EQ(detail::negativeExp(-800.0), 0.0);
}

} // namespace
} // namespace velmora
