#include "axis_ticks.h"

#include <gtest/gtest.h>

#include "graph_data.h"

namespace velmora {
namespace {

// 7 December 2026 14:00:00 on the logger's clock.
constexpr std::int64_t kStart = GraphData::kDefaultStart + 9837LL * 86400 + 14 * 3600;

TEST(NiceStep, OneTwoOrFiveTimesAPowerOfTen)
{
    struct Case {
        double span;
        int maxTicks;
        double minStep;
        double want;
    } cases[] = {
        {10, 5, 0, 2}, {10, 8, 0, 2},      {9.3, 8, 0, 2},     {0.3, 5, 0.1, 0.1},
        {3, 5, 1, 1},  {1000, 10, 0, 100}, {0.07, 7, 0, 0.01}, {45, 8, 0, 10},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(niceStep(c.span, c.maxTicks, c.minStep), c.want) << c.span;
}

TEST(AutomaticLimits, WholeStepsAroundTheData)
{
    struct Case {
        ValueExtent data;
        double minStep;
        AxisLimits want;
    } cases[] = {
        {{20.3, 29.6}, 0.1, {20, 30}},  {{-12.5, -3.1}, 0.1, {-14, -2}}, {{5, 5}, 1, {4, 6}}, {{}, 0.1, {0, 10}},
        {{0.0, 100.0}, 0.1, {0, 120}},  // 100 lies on the limit: a step of room
        {{-40.0, -0.5}, 0.1, {-45, 0}}, // steps of 5; -40 lies on the limit
    };
    for (const Case& c : cases) {
        const AxisLimits l = automaticLimits(c.data, c.minStep);
        EXPECT_DOUBLE_EQ(l.min, c.want.min) << c.data.min << ".." << c.data.max;
        EXPECT_DOUBLE_EQ(l.max, c.want.max) << c.data.min << ".." << c.data.max;
    }
}

TEST(ValueTicks, MultiplesOfTheStepInRange)
{
    EXPECT_EQ(valueTicks(0, 10, 2), (std::vector<double>{0, 2, 4, 6, 8, 10}));
    const std::vector<double> t = valueTicks(-0.25, 0.3, 0.1);
    ASSERT_EQ(t.size(), 6u);
    EXPECT_NEAR(t.front(), -0.2, 1e-12);
    EXPECT_EQ(t[2], 0.0);
    EXPECT_NEAR(t.back(), 0.3, 1e-12);
    EXPECT_TRUE(valueTicks(0, 1e9, 1e-3).empty()) << "absurdly many ticks are not drawn";
    EXPECT_EQ(decimalsForStep(2), 0);
    EXPECT_EQ(decimalsForStep(0.5), 1);
    EXPECT_EQ(decimalsForStep(0.1), 1);
    EXPECT_EQ(decimalsForStep(0.05), 2);
}

TEST(TimeTicks, OnWholeStepsOfTheLoggersClock)
{
    TimeTicks t = timeTicks(kStart, 0, 3600, 6);
    EXPECT_EQ(t.step, 600);
    EXPECT_EQ(t.positions, (std::vector<double>{0, 600, 1200, 1800, 2400, 3000, 3600}));

    t = timeTicks(kStart + 7, 0, 3600, 6); // first reading at 14:00:07
    EXPECT_EQ(t.positions.front(), 593);

    t = timeTicks(kStart, 0, 30 * 86400.0, 10);
    EXPECT_EQ(t.step, 7 * 86400);
    t = timeTicks(kStart, 0, 100, 10, 25.0);
    EXPECT_EQ(t.step, 25);
    EXPECT_EQ(t.positions, (std::vector<double>{0, 25, 50, 75, 100}));
    EXPECT_TRUE(timeTicks(kStart, 0, 0, 10).positions.empty());
}

TEST(TimeTicks, LabelsShowWhatTheStepResolves)
{
    EXPECT_EQ(timeTickLabel(kStart + 30, 10), "14:00:30");
    EXPECT_EQ(timeTickLabel(kStart + 30, 600), "14:00");
    EXPECT_EQ(timeTickLabel(kStart, 86400), "07/12/26");
    EXPECT_EQ(dateLabel(kStart), "07/12/2026");
    EXPECT_EQ(dayNumber(kStart) - dayNumber(kStart - 14 * 3600 - 1), 1);
}

} // namespace
} // namespace velmora
