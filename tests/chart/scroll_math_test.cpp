#include "scroll_math.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(LevelBounds, LevelZeroLeavesTheUnforcedBoundAutomatic)
{
    struct Case {
        double min, max;
        bool levelZero;
        std::optional<double> wantMin, wantMax;
    } cases[] = {
        {0.0, 30.0, true, 0.0, std::nullopt}, {-5.0, 0.0, true, std::nullopt, 0.0},
        {-5.0, 30.0, true, -5.0, 30.0},       {0.0, 0.0, true, std::nullopt, std::nullopt},
        {0.0, 30.0, false, 0.0, 30.0},
    };
    for (const Case& c : cases) {
        const AxisBounds b = levelBounds(c.min, c.max, c.levelZero);
        EXPECT_EQ(b.min, c.wantMin) << c.min << ".." << c.max;
        EXPECT_EQ(b.max, c.wantMax) << c.min << ".." << c.max;
    }
}

TEST(HorizontalScroll, RangeThumbAndVisibility)
{
    // 101 readings 10 s apart (X of the last: 1000), zoomed to 200..400.
    HorizontalScroll h = horizontalScrollFor(200, 400, 1000, 10, true);
    EXPECT_EQ(h.windowWidth, 210);
    EXPECT_EQ(h.maximum, 800);
    EXPECT_EQ(h.position, 200);
    EXPECT_TRUE(h.visible);

    EXPECT_FALSE(horizontalScrollFor(200, 400, 1000, 10, false).visible) << "level 0";
    EXPECT_FALSE(horizontalScrollFor(0, 1000, 1000, 10, true).visible) << "zoomed in Y only";
    EXPECT_TRUE(horizontalScrollFor(10, 1000, 1000, 10, true).visible);
}

TEST(HorizontalScroll, LinesAreRefusedAtTheEndsAndPagesStopThere)
{
    EXPECT_EQ(scrollByLine(200, 10, 800), 210);
    EXPECT_EQ(scrollByLine(795, 10, 800), 795);
    EXPECT_EQ(scrollByLine(5, -10, 800), 5);
    EXPECT_EQ(scrollByLine(10, -10, 800), 0);
    EXPECT_EQ(scrollByPage(700, 210, 800), 800);
    EXPECT_EQ(scrollByPage(100, -210, 800), 0);
    EXPECT_EQ(scrollByPage(300, 210, 800), 510);
}

TEST(HorizontalScroll, EndOfScrollingKeepsTheWindowWithinTheFile)
{
    struct Case {
        std::int64_t position;
        XRange want;
    } cases[] = {
        {300, {300, 500}}, {795, {795, 995}}, {800, {800, 1000}}, {900, {800, 1000}}, {-5, {0, 200}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(xRangeAfterScroll(c.position, 210, 1000, 10), c.want) << c.position;
}

TEST(VerticalScroll, CountsStepsDownFromTheFullMaximum)
{
    const ZoomLevel full{0, 1000, 0.0, 40.0, 0.0, 100.0};
    const VerticalScroll v = verticalScrollFor(full, 20.0, 30.0, 50.0, 75.0, 0.1, true);
    EXPECT_NEAR(v.page, 10.1, 1e-9);
    EXPECT_NEAR(v.page2, 25.1, 1e-9);
    EXPECT_EQ(v.maximum, 300);
    EXPECT_EQ(v.position, 100);
    EXPECT_TRUE(v.visible);
    EXPECT_EQ(verticalPageSteps(v, 0.1), 101);

    EXPECT_FALSE(verticalScrollFor(full, 20.0, 30.0, 50.0, 75.0, 0.1, false).visible);
    EXPECT_FALSE(verticalScrollFor(full, 0.0, 40.0, 0.0, 100.0, 0.1, true).visible) << "the whole Y span is shown";
}

TEST(VerticalScroll, EndOfScrollingMovesBothAxes)
{
    const ZoomLevel full{0, 1000, 0.0, 40.0, 0.0, 100.0};
    const VerticalScroll v = verticalScrollFor(full, 20.0, 30.0, 50.0, 75.0, 0.1, true);
    struct Case {
        int position;
        YRanges want;
    } cases[] = {
        // Y2: 100 − (100 − 0 − 25.1) / 300 × position, then 25.0 below that.
        {150, {15.0, 25.0, 37.55, 62.55}},
        {0, {30.0, 40.0, 75.0, 100.0}},
        {300, {0.0, 10.0, 0.1, 25.1}},
        {301, {0.0, 10.0, 0.0, 25.0}},
    };
    for (const Case& c : cases) {
        const YRanges r = yRangesAfterScroll(c.position, v, full, 0.1);
        EXPECT_NEAR(r.yMin, c.want.yMin, 1e-9) << c.position;
        EXPECT_NEAR(r.yMax, c.want.yMax, 1e-9) << c.position;
        EXPECT_NEAR(r.y2Min, c.want.y2Min, 1e-9) << c.position;
        EXPECT_NEAR(r.y2Max, c.want.y2Max, 1e-9) << c.position;
    }
}

} // namespace
} // namespace velmora
