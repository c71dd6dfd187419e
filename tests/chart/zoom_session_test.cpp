#include "zoom_session.h"

#include <cmath>
#include <gtest/gtest.h>

namespace velmora {
namespace {

// A chart whose plot spans pixels 100..900 × 50..450 and maps them linearly onto the
// ranges the view last applied.
class LinearChart final : public ZoomChart {
public:
    // The first reading lies at X `origin`.
    LinearChart(const ZoomLevel& shown, double origin = 0) : shown_(shown), origin_(origin) {}

    PixelRect plotRect() const override { return {100, 50, 900, 450}; }
    std::int64_t pickX(PixelPoint p, std::int64_t interval) const override
    {
        const double x = shown_.xMin + (p.x - 100) / 800.0 * double(shown_.xMax - shown_.xMin);
        return std::llround(origin_ + std::round((x - origin_) / double(interval)) * double(interval));
    }
    double mapY(PixelPoint p) const override { return along(p, shown_.yMin, shown_.yMax); }
    double mapY2(PixelPoint p) const override { return along(p, shown_.y2Min, shown_.y2Max); }
    ZoomLevel shownRanges() const override { return shown_; }

    void show(const ZoomLevel& level) { shown_ = level; }

private:
    static double along(PixelPoint p, double lo, double hi) { return lo + (450 - p.y) / 400.0 * (hi - lo); }
    ZoomLevel shown_;
    double origin_;
};

// Drives a session the way the view does: applied levels become the chart's ranges.
struct Viewer {
    Viewer(std::int64_t interval, const ZoomLevel& full, double step) : interval(interval), step(step), chart(full)
    {
        session.bind(full);
    }
    void carryOut(const ZoomAction& a)
    {
        if (a.applyLevel)
            chart.show(session.current());
        beeps += a.maximumReached ? 1 : 0;
    }
    bool drag(PixelPoint from, PixelPoint to)
    {
        const int before = session.level();
        carryOut(session.press(from, chart, interval));
        carryOut(session.move(to, true, chart));
        carryOut(session.release(to, false, chart, interval, step));
        return session.level() == before + 1;
    }
    std::int64_t interval;
    double step;
    LinearChart chart;
    ZoomSession session;
    int beeps = 0;
};

const ZoomLevel kFull{0, 1000, 0.0, 40.0, 0.0, 100.0}; // 101 readings 10 s apart

void expectLevel(const ZoomLevel& got, const ZoomLevel& want)
{
    EXPECT_EQ(got.xMin, want.xMin);
    EXPECT_EQ(got.xMax, want.xMax);
    EXPECT_NEAR(got.yMin, want.yMin, 1e-9);
    EXPECT_NEAR(got.yMax, want.yMax, 1e-9);
    EXPECT_NEAR(got.y2Min, want.y2Min, 1e-9);
    EXPECT_NEAR(got.y2Max, want.y2Max, 1e-9);
}

TEST(ZoomBox, ZoomsToTheBoxWhicheverWayItIsDrawn)
{
    // 1.25 s, 0.1 and 0.25 per pixel: (180, 250) is X 100, Y 20, Y2 50; (340, 150) is X 300, Y 30, Y2 75.
    const ZoomLevel want{100, 300, 20.0, 30.0, 50.0, 75.0};
    const PixelPoint a{180, 250}, b{340, 150}, c{180, 150}, d{340, 250};
    const std::pair<PixelPoint, PixelPoint> boxes[] = {{a, b}, {b, a}, {c, d}, {d, c}};
    for (const auto& [from, to] : boxes) {
        Viewer v(10, kFull, 0.1);
        ASSERT_TRUE(v.drag(from, to));
        expectLevel(v.session.current(), want);
        EXPECT_EQ(v.chart.shownRanges(), v.session.current());
    }
}

TEST(ZoomBox, SnapsOutwardsToTheValueStep)
{
    // Y from 20 to 24 over 400 pixels: 0.01 a pixel, so y 327 is 21.23 and y 223 is 22.27.
    const ZoomLevel full{0, 1000, 20.0, 24.0, 0.0, 100.0};
    Viewer v(10, full, 0.1);
    ASSERT_TRUE(v.drag({180, 327}, {340, 223}));
    expectLevel(v.session.current(), {100, 300, 21.2, 22.3, 30.7, 56.8});

    Viewer whole(10, full, 1.0);
    ASSERT_TRUE(whole.drag({180, 327}, {340, 223}));
    expectLevel(whole.session.current(), {100, 300, 21.0, 23.0, 30.0, 57.0});
}

TEST(ZoomBox, IsCutAtThePlotEdges)
{
    Viewer v(10, kFull, 0.1);
    // Dragged to the right of and below the plot: the corner stops at x 900, y 449.
    ASSERT_TRUE(v.drag({180, 250}, {1000, 600}));
    expectLevel(v.session.current(), {100, 1000, 0.1, 20.0, 0.2, 50.0});
}

TEST(ZoomBox, IsIgnoredOutsideThePlotOrWhenNarrowerThanTwoSeconds)
{
    Viewer v(10, kFull, 0.1);
    EXPECT_FALSE(v.drag({99, 250}, {340, 150})) << "started left of the plot";
    EXPECT_FALSE(v.drag({180, 250}, {181, 150})) << "both ends nearest the same reading";
    EXPECT_EQ(v.session.level(), 0);
    EXPECT_TRUE(v.drag({100, 50}, {340, 150})) << "the plot's edges belong to it";

    // One reading, shown as a flat line over one second: no box is 2 seconds wide.
    Viewer single(1, {0, 1, 0.0, 30.0, 0.0, 10.0}, 0.1);
    EXPECT_FALSE(single.drag({100, 100}, {899, 400}));
    EXPECT_EQ(single.session.level(), 0);
}

TEST(ZoomBox, StopsAfter23LevelsUntilZoomedOut)
{
    Viewer v(1, {0, 100000, 0.0, 40.0, 0.0, 100.0}, 0.1);
    for (int n = 1; n <= 23; ++n)
        ASSERT_TRUE(v.drag({100, 60}, {899, 440})) << n;
    EXPECT_EQ(v.session.level(), 23);
    EXPECT_EQ(v.beeps, 0);

    EXPECT_FALSE(v.drag({100, 60}, {899, 440}));
    EXPECT_EQ(v.beeps, 1);
    EXPECT_TRUE(v.session.maximumReached());
    EXPECT_FALSE(v.drag({100, 60}, {899, 440})) << "refused while the message stands";
    EXPECT_EQ(v.beeps, 1);
    EXPECT_TRUE(v.session.readoutOnMove(true)) << "the readout keeps working with the button down";

    const ZoomAction out = v.session.zoomOut();
    EXPECT_TRUE(out.clearFooter);
    EXPECT_TRUE(out.applyLevel);
    EXPECT_EQ(v.session.level(), 22);
    EXPECT_FALSE(v.session.maximumReached());
    v.carryOut(out);
    EXPECT_TRUE(v.drag({100, 60}, {899, 440}));
}

TEST(ZoomOut, ReturnsToTheStoredLevelsAndDoesNothingAtZero)
{
    Viewer v(10, kFull, 0.1);
    const ZoomAction none = v.session.zoomOut();
    EXPECT_FALSE(none.applyLevel);
    EXPECT_EQ(v.session.level(), 0);

    ASSERT_TRUE(v.drag({180, 250}, {820, 90}));
    const ZoomLevel first = v.session.current();
    ASSERT_TRUE(v.drag({180, 250}, {340, 150}));
    v.carryOut(v.session.zoomOut());
    EXPECT_EQ(v.session.level(), 1);
    EXPECT_EQ(v.chart.shownRanges(), first);
}

TEST(DoubleClick, ZoomsOutAndTheReleaseThatFollowsDoesNotZoom)
{
    for (int startLevel : {0, 2}) {
        Viewer v(10, kFull, 0.1);
        for (int n = 0; n < startLevel; ++n)
            ASSERT_TRUE(v.drag({180, 250}, {820, 90}));
        // The double-click's first click: a box too small to keep.
        EXPECT_FALSE(v.drag({400, 200}, {400, 200}));
        v.carryOut(v.session.doubleClick());
        EXPECT_EQ(v.session.level(), std::max(0, startLevel - 1));
        EXPECT_TRUE(v.session.skipRelease());
        v.carryOut(v.session.move({700, 300}, true, v.chart));
        v.carryOut(v.session.release({700, 300}, false, v.chart, 10, 0.1));
        EXPECT_EQ(v.session.level(), std::max(0, startLevel - 1));
        EXPECT_FALSE(v.session.skipRelease());
        EXPECT_TRUE(v.drag({180, 250}, {340, 150})) << "the next box zooms again";
    }
}

TEST(ZoomBox, TheFullViewIsReadBackFromTheChartAtTheFirstBox)
{
    Viewer v(10, kFull, 0.1);
    v.chart.show({0, 1000, 0.0, 20.0, 0.0, 100.0}); // a trace was hidden: the automatic maximum fell
    ASSERT_TRUE(v.drag({180, 250}, {340, 150}));
    EXPECT_DOUBLE_EQ(v.session.full().yMax, 20.0);
    EXPECT_EQ(v.session.full().xMax, 1000);
}

// With several files the first file's readings may start anywhere on the axis, and
// the files keep no common grid: the box's edges are the X the chart picks, never a
// reading's index times the interval counted from X 0.
TEST(ZoomBox, EdgesAreThePickedXWhereverTheFirstFileStarts)
{
    const ZoomLevel full{0, 800, 0.0, 40.0, 0.0, 100.0};
    struct Case {
        const char* what;
        std::int64_t interval;
        std::int64_t xMin, xMax;
    } cases[] = {
        {"on the first file's minute grid from X 30", 60, 90, 390},
        {"several files: the pointer's whole second", 1, 95, 400},
    };
    for (const Case& c : cases) {
        Viewer v(c.interval, full, 0.1);
        v.chart = LinearChart(full, 30); // pixel 100 + X shows X
        ASSERT_TRUE(v.drag({195, 100}, {500, 300})) << c.what;
        EXPECT_EQ(v.session.current().xMin, c.xMin) << c.what;
        EXPECT_EQ(v.session.current().xMax, c.xMax) << c.what;
    }
}

TEST(CompleteZoomBox, OrdersSnapsAndLimitsToTheFullView)
{
    const ZoomLevel full{0, 1000, -5.0, 40.03, 0.0, 100.0};
    struct Case {
        ZoomLevel box; // press values: xMin, yMin, y2Min
        std::int64_t cornerX;
        double cornerY, cornerY2;
        std::optional<ZoomLevel> want;
    } cases[] = {
        {{300, 0, 10.04, 0, 20.0, 0}, 100, 20.01, 40.0, ZoomLevel{100, 300, 10.0, 20.1, 20.0, 40.0}},
        {{300, 0, 40.02, 0, 99.95, 0}, 1200, -5.04, -0.01, ZoomLevel{300, 1000, -5.0, 40.03, 0.0, 100.0}},
        {{300, 0, 1.0, 0, 1.0, 0}, 300, 2.0, 2.0, std::nullopt},
        {{300, 0, 1.0, 0, 1.0, 0}, 290, 2.0, 2.0, ZoomLevel{290, 300, 1.0, 2.0, 1.0, 2.0}},
        {{300, 0, 1.0, 0, 1.0, 0}, 310, 2.0, 2.0, ZoomLevel{300, 310, 1.0, 2.0, 1.0, 2.0}},
    };
    for (const Case& c : cases) {
        const auto got = completeZoomBox(c.box, c.cornerX, c.cornerY, c.cornerY2, full, 10, 0.1);
        ASSERT_EQ(got.has_value(), c.want.has_value()) << c.cornerX;
        if (got)
            expectLevel(*got, *c.want);
    }
    // Readings 1 s apart: a box one reading wide is too narrow.
    EXPECT_FALSE(completeZoomBox({300, 0, 1, 0, 1, 0}, 301, 2.0, 2.0, full, 1, 0.1).has_value());
}

TEST(ZoomAround, HalvesTheRangesShownAroundThePointer)
{
    const ZoomLevel full{0, 1000, 0.0, 40.0, 0.0, 100.0};
    struct Case {
        const char* what;
        ZoomLevel shown;
        std::int64_t centre;
        double y, y2;
        std::optional<ZoomLevel> want;
    } cases[] = {
        {"whole readings, values snapped outwards", full, 330, 10.03, 50.0, ZoomLevel{160, 670, 5.0, 25.1, 25.0, 75.0}},
        {"a scrolled view, at its right edge",
         {400, 600, 10.0, 20.0, 30.0, 60.0},
         600,
         20.0,
         60.0,
         ZoomLevel{500, 600, 15.0, 20.0, 45.0, 60.0}},
        {"two readings and a step shown: nothing narrower",
         {500, 510, 1.0, 1.1, 2.0, 2.1},
         510,
         1.05,
         2.05,
         std::nullopt},
    };
    for (const Case& c : cases) {
        const auto got = zoomBoxAround(c.shown, c.centre, c.y, c.y2, full, 10, 0.1);
        ASSERT_EQ(got.has_value(), c.want.has_value()) << c.what;
        if (got)
            expectLevel(*got, *c.want);
    }

    // Through the session: a level each, within its 23 levels like a box.
    Viewer v(1, {0, 100000000, 0.0, 40.0, 0.0, 100.0}, 0.1);
    for (int n = 1; n <= 23; ++n) {
        v.carryOut(v.session.zoomInAround({500, 250}, v.chart, 1, 0.1));
        ASSERT_EQ(v.session.level(), n);
    }
    EXPECT_LT(v.session.current().xMax - v.session.current().xMin, 100000000 >> 22);
    v.carryOut(v.session.zoomInAround({500, 250}, v.chart, 1, 0.1));
    EXPECT_EQ(v.session.level(), 23);
    EXPECT_EQ(v.beeps, 1);
    v.carryOut(v.session.zoomOut());
    v.carryOut(v.session.zoomInAround({50, 250}, v.chart, 1, 0.1));
    EXPECT_EQ(v.session.level(), 22) << "outside the plot";
}

TEST(Snap, KeepsValuesAlreadyOnAStep)
{
    EXPECT_NEAR(snapUp(22.2, 0.1), 22.2, 1e-12);
    EXPECT_NEAR(snapDown(22.2, 0.1), 22.2, 1e-12);
    EXPECT_NEAR(snapUp(22.21, 0.1), 22.3, 1e-12);
    EXPECT_NEAR(snapDown(-0.05, 0.1), -0.1, 1e-12);
    EXPECT_NEAR(snapUp(0.7, 0.01), 0.7, 1e-12);
    EXPECT_DOUBLE_EQ(valueStep(0), 1.0);
    EXPECT_DOUBLE_EQ(valueStep(2), 0.01);
}

TEST(BandCorner, StaysInsideThePlot)
{
    const PixelRect plot{100, 50, 900, 450};
    EXPECT_EQ(clampBandCorner({50, 20}, plot), (PixelPoint{100, 51}));
    EXPECT_EQ(clampBandCorner({950, 460}, plot), (PixelPoint{900, 449}));
    EXPECT_EQ(clampBandCorner({500, 300}, plot), (PixelPoint{500, 300}));
}

// A view opened on a time range: one level in, X cut to the file, the values as shown;
// a range that is the whole file, or under 2 seconds of it, zooms nowhere.
TEST(ZoomToX, OneLevelInWithinTheFile)
{
    Viewer v(10, kFull, 0.1);
    v.carryOut(v.session.zoomToX(-500, 2000, v.chart));
    EXPECT_EQ(v.session.level(), 0);
    v.carryOut(v.session.zoomToX(999, 5000, v.chart));
    EXPECT_EQ(v.session.level(), 0);

    v.carryOut(v.session.zoomToX(-500, 300, v.chart));
    EXPECT_EQ(v.session.level(), 1);
    expectLevel(v.chart.shownRanges(), {0, 300, 0.0, 40.0, 0.0, 100.0});
    v.carryOut(v.session.zoomOut());
    expectLevel(v.chart.shownRanges(), kFull);
}

} // namespace
} // namespace velmora
