#include "series_trace.h"

#include <gtest/gtest.h>

#include "chart_data_set.h"

namespace velmora {
namespace {

constexpr double kGap = ChartDataSet::kGap;

Trace trace(const std::vector<double>& v, const TraceMapping& m)
{
    const MinMaxPyramid p(v.data(), v.size());
    Trace t;
    traceSeries(v.data(), v.size(), p, m, t);
    return t;
}

// Polylines as lists of (x, y) pairs, for readable expectations.
std::vector<std::vector<std::pair<double, double>>> runs(const Trace& t)
{
    std::vector<std::vector<std::pair<double, double>>> out;
    std::size_t start = 0;
    for (std::size_t end : t.runEnds) {
        out.emplace_back();
        for (std::size_t i = start; i < end; ++i)
            out.back().push_back({t.points[i].x, t.points[i].y});
        start = end;
    }
    return out;
}

using Runs = std::vector<std::vector<std::pair<double, double>>>;

TEST(SeriesTrace, EveryReadingWhenThereIsRoomAndGapsBreakTheLine)
{
    // 10 pixels a reading; value v at pixel y 100 − 10 v.
    const TraceMapping m{0.0, 10.0, 100.0, -10.0, 0, 100};
    EXPECT_EQ(runs(trace({1, 2, kGap, 4, 5, 6}, m)), (Runs{{{0, 90}, {10, 80}}, {{30, 60}, {40, 50}, {50, 40}}}));
    EXPECT_EQ(runs(trace({kGap, 3, kGap}, m)), (Runs{{{10, 70}}})) << "a lone reading is a dot";
    EXPECT_TRUE(trace({kGap, kGap}, m).points.empty());
    EXPECT_FALSE(trace({1, 2}, m).condensed);
}

TEST(SeriesTrace, OnlyTheReadingsInViewAndOneEitherSide)
{
    // Plot columns 0..100 show X 20..30 of readings 1 apart: 10 pixels a reading.
    const TraceMapping m{-200.0, 10.0, 0.0, -1.0, 0, 100};
    std::vector<double> v(100);
    for (std::size_t i = 0; i < v.size(); ++i)
        v[i] = static_cast<double>(i);
    const Trace t = trace(v, m);
    ASSERT_EQ(t.runCount(), 1u);
    EXPECT_EQ(t.points.front().x, -10.0) << "reading 19 leads the line in";
    EXPECT_EQ(t.points.back().x, 110.0) << "reading 31 leads it out";
}

TEST(SeriesTrace, LongSeriesFollowThePlotWidth)
{
    // 10,000 readings over 100 columns: readings 100c..100c+99 fall in column c.
    std::vector<double> v(10000);
    for (std::size_t i = 0; i < v.size(); ++i)
        v[i] = static_cast<double>(i % 100); // a sawtooth: every column spans 0..99
    const TraceMapping m{0.0, 0.01, 200.0, -1.0, 0, 99};
    Trace t = trace(v, m);
    EXPECT_TRUE(t.condensed);
    EXPECT_EQ(t.runCount(), 1u);
    EXPECT_LE(t.points.size(), 2u * 103u) << "two points a column";
    for (int c = 0; c < 100; ++c) {
        double lo = 1e9, hi = -1e9;
        for (const TracePoint& p : t.points)
            if (p.x == c) {
                lo = std::min(lo, p.y);
                hi = std::max(hi, p.y);
            }
        EXPECT_EQ(lo, 101.0) << c; // value 99
        EXPECT_EQ(hi, 200.0) << c; // value 0
    }

    // A gap inside a column does not show at this scale; a column of gaps does, and
    // so does a gap where two columns meet.
    v[2050] = kGap;
    EXPECT_EQ(trace(v, m).runCount(), 1u);
    for (std::size_t i = 5000; i < 5100; ++i)
        v[i] = kGap;
    EXPECT_EQ(trace(v, m).runCount(), 2u);
    v[3099] = kGap;
    t = trace(v, m);
    EXPECT_EQ(t.runCount(), 3u);
}

TEST(SeriesTrace, StraightStretchesAreMerged)
{
    // An alarm level: one straight line from the first column to the last.
    const std::vector<double> level(10000, 25.0);
    const TraceMapping m{0.0, 0.01, 200.0, -1.0, 0, 99};
    const Trace t = trace(level, m);
    EXPECT_EQ(runs(t), (Runs{{{0, 175}, {99, 175}}}));
    // Scrolled: the file starts half a plot to the left and ends in column 49; the
    // line comes in from the column left of the plot.
    EXPECT_EQ(runs(trace(level, {-50.0, 0.01, 200.0, -1.0, 0, 99})), (Runs{{{-1, 175}, {49, 175}}}));
    // The same level with one reading missing is no longer one straight line.
    std::vector<double> broken = level;
    broken[5050] = kGap;
    EXPECT_EQ(runs(trace(broken, m)).size(), 1u) << "a gap within a column does not show";
    broken.assign(level.size(), 25.0);
    for (std::size_t i = 5000; i < 5100; ++i)
        broken[i] = kGap;
    EXPECT_EQ(runs(trace(broken, m)), (Runs{{{0, 175}, {49, 175}}, {{51, 175}, {99, 175}}}));

    // Each column's lowest and highest value, with repeats dropped.
    std::vector<double> steps(400);
    for (std::size_t i = 0; i < steps.size(); ++i)
        steps[i] = i < 200 ? 1.0 : 3.0; // 100 readings a column over 4 columns
    const Trace s = trace(steps, {0.0, 0.01, 10.0, -1.0, 0, 3});
    EXPECT_EQ(runs(s), (Runs{{{0, 9}, {1, 9}, {2, 7}, {3, 7}}}));

    // A column enters at the extreme nearer its first reading: a falling sawtooth
    // draws each column from its top down.
    std::vector<double> falling(300);
    for (std::size_t i = 0; i < falling.size(); ++i)
        falling[i] = static_cast<double>(99 - i % 100);
    const Trace f = trace(falling, {0.0, 0.01, 200.0, -1.0, 0, 2});
    EXPECT_EQ(runs(f), (Runs{{{0, 101}, {0, 200}, {1, 101}, {1, 200}, {2, 101}, {2, 200}}}));
}

TEST(SeriesTrace, AMillionReadingsStayAFewPointsAColumn)
{
    std::vector<double> v(1000000);
    for (std::size_t i = 0; i < v.size(); ++i)
        v[i] = static_cast<double>(i % 977) * 0.1;
    const TraceMapping m{0.0, 1919.0 / 999999.0, 1000.0, -1.0, 0, 1919};
    const Trace t = trace(v, m);
    EXPECT_LE(t.points.size(), 2u * 1922u);
    EXPECT_EQ(t.runCount(), 1u);
}

} // namespace
} // namespace velmora
