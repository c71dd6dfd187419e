#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <gtest/gtest.h>
#include <tuple>

#include "chart.h"
#include "chart_layout.h"
#include "chart_settings.h"

namespace velmora {
namespace {

constexpr double kGap = ChartDataSet::kGap;

// Temperature 10 with a gap at readings 40..59, alarms at 30 and 5, dew point 20;
// humidity 60 on the right axis. 101 readings 10 s apart.
struct Fixture {
    ChartDataSet first{4};
    ChartDataSet second{3};
    Chart chart;

    Fixture()
    {
        for (ChartDataSet* set : {&first, &second}) {
            set->setInterval(10);
            for (int s = 0; s < set->seriesCount(); ++s) {
                set->setPointCount(s, 101);
                set->setShown(s, true);
                set->setLastPoint(s, 100);
            }
        }
        for (std::size_t i = 0; i <= 100; ++i) {
            first.setY(0, i, i >= 40 && i < 60 ? kGap : 10.0);
            first.setY(1, i, 30.0);
            first.setY(2, i, 5.0);
            first.setY(3, i, 20.0);
            second.setY(0, i, 60.0);
            second.setY(1, i, kGap);
            second.setY(2, i, kGap);
        }
        second.setShown(1, false);
        second.setShown(2, false);
        applyChartSettings(chart, {false, false, false});
        chart.setDataSet(ValueAxis::Y, &first);
        chart.setDataSet(ValueAxis::Y2, &second);
        chart.setHeader({QStringLiteral("Store")});
        chart.setSeriesLabel(ValueAxis::Y, 0, QStringLiteral("Celsius"));
        chart.setSeriesLabel(ValueAxis::Y2, 0, QStringLiteral("Humidity"));
        chart.setAxisMinimum(Axis::X, 0);
        chart.setAxisMaximum(Axis::X, 1000);
        chart.setAxisMinimum(Axis::Y, 0);
        chart.setAxisMaximum(Axis::Y, 40);
        chart.setAxisMinimum(Axis::Y2, 0);
        chart.setAxisMaximum(Axis::Y2, 100);
        chart.setBounds(QRect(0, 0, 800, 600));
    }

    QImage render()
    {
        QImage image(800, 600, QImage::Format_RGB32);
        image.fill(Qt::gray);
        QPainter p(&image);
        chart.draw(p, QRect(0, 0, 800, 600));
        return image;
    }

    // Pixel of a reading's X and of a value on the left or right axis, by the linear
    // rule from the plot's edges.
    int px(double x) const
    {
        const QRect plot = chart.plotRect();
        return plot.left() + static_cast<int>(std::lround(x / 1000.0 * (plot.right() - plot.left())));
    }
    int py(double v, double full = 40.0) const
    {
        const QRect plot = chart.plotRect();
        return plot.bottom() - static_cast<int>(std::lround(v / full * (plot.bottom() - plot.top())));
    }
};

// Whether `colour` appears within two pixels of (x, y).
bool near(const QImage& image, int x, int y, const QColor& colour)
{
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx)
            if (image.rect().contains(x + dx, y + dy) && image.pixelColor(x + dx, y + dy) == colour)
                return true;
    return false;
}

// How many pixels of a row's span have `colour`.
int countInRow(const QImage& image, int y, int x0, int x1, const QColor& colour)
{
    int n = 0;
    for (int x = x0; x <= x1; ++x)
        n += image.pixelColor(x, y) == colour ? 1 : 0;
    return n;
}

TEST(ChartRendering, SeriesAlarmLinesAndMarkerInTheirColours)
{
    Fixture f;
    f.chart.setMarkerX(700);
    const QImage image = f.render();
    using namespace chart_colours;

    EXPECT_EQ(image.pixelColor(2, 2), QColor(Qt::white)) << "white background";
    EXPECT_TRUE(near(image, f.px(200), f.py(10), kFirstChannel));
    EXPECT_TRUE(near(image, f.px(200), f.py(20), kThirdTrace));
    EXPECT_TRUE(near(image, f.px(200), f.py(60, 100), kSecondChannel));
    EXPECT_TRUE(near(image, f.px(700), f.py(35), kMarker));

    // Alarm lines are patterned: along 120 pixels both red and not red.
    for (double alarm : {30.0, 5.0}) {
        int red = 0;
        for (int dy = -1; dy <= 1; ++dy)
            red = std::max(red, countInRow(image, f.py(alarm) + dy, f.px(100), f.px(100) + 119, kFirstChannel));
        EXPECT_GT(red, 40) << alarm;
        EXPECT_LT(red, 115) << alarm;
    }
}

TEST(ChartRendering, AGapLeavesAGap)
{
    Fixture f;
    const QImage image = f.render();
    const QColor red = chart_colours::kFirstChannel;
    EXPECT_TRUE(near(image, f.px(300), f.py(10), red));
    EXPECT_FALSE(near(image, f.px(500), f.py(10), red)) << "readings 40..59 are gaps";
    EXPECT_TRUE(near(image, f.px(700), f.py(10), red));

    f.chart.setSeriesShown(ValueAxis::Y, 0, false);
    EXPECT_FALSE(near(f.render(), f.px(300), f.py(10), red)) << "a hidden series is not drawn";
}

TEST(ChartRendering, ALongSeriesIsDrawnFromItsColumnEnvelope)
{
    // 100,001 readings 0.01 s apart rising from 10 to 30 every 100 readings, with
    // readings 50,000..54,999 missing.
    ChartDataSet set(4);
    set.setInterval(0.01);
    set.setPointCount(0, 100001);
    set.setShown(0, true);
    for (std::size_t i = 0; i < 100001; ++i)
        set.setY(0, i, i >= 50000 && i < 55000 ? kGap : 10.0 + 20.0 * double(i % 100) / 99.0);
    Fixture f;
    f.chart.setDataSet(ValueAxis::Y, &set);
    const QImage image = f.render();
    const QColor red = chart_colours::kFirstChannel;
    const QRect plot = f.chart.plotRect();
    int columnsSpanning = 0;
    for (int x = plot.left() + 2; x < f.px(490); ++x)
        columnsSpanning += near(image, x, f.py(11), red) && near(image, x, f.py(29), red) ? 1 : 0;
    EXPECT_EQ(columnsSpanning, f.px(490) - plot.left() - 2) << "every column spans 10..30";
    EXPECT_FALSE(near(image, f.px(525), f.py(20), red)) << "the missing readings";
}

// The fault: the legend keeps the widths its labels had in the old font, and a
// larger font's label runs into the next entry.
TEST(ChartLayout, LegendEntriesFollowTheLabelFont)
{
    Fixture f;
    auto entryWidth = [&](const QString& label) {
        for (const LegendEntry& e : f.chart.layoutFor(f.chart.bounds())->legend)
            if (f.chart.seriesLabelAt(e.set, e.series) == label)
                return e.text.width();
        return -1;
    };
    const QString celsius = QStringLiteral("Celsius");
    QFont font = f.chart.labelFont();
    EXPECT_EQ(entryWidth(celsius), QFontMetrics(font).horizontalAdvance(celsius));
    font.setPixelSize(30);
    f.chart.setLabelFont(font);
    EXPECT_EQ(entryWidth(celsius), QFontMetrics(font).horizontalAdvance(celsius));
    const QString renamed = QStringLiteral("Celsius, door side");
    f.chart.setSeriesLabel(ValueAxis::Y, 0, renamed);
    EXPECT_EQ(entryWidth(renamed), QFontMetrics(font).horizontalAdvance(renamed));
}

TEST(ChartRendering, TwoPixelLinesAtAnyPixelDensity)
{
    // The high alarm is a flat line at 30, two pixels wide: four device pixels on a
    // screen of twice the density.
    for (int ratio : {1, 2}) {
        Fixture f;
        f.chart.setSeriesShown(ValueAxis::Y, 0, false);
        QImage image(800 * ratio, 600 * ratio, QImage::Format_RGB32);
        image.setDevicePixelRatio(ratio);
        image.fill(Qt::white);
        QPainter p(&image);
        f.chart.draw(p, QRect(0, 0, 800, 600));
        p.end();
        int thickest = 0;
        for (int x = f.px(100) * ratio; x < f.px(300) * ratio; ++x) {
            int red = 0;
            for (int y = (f.py(30) - 4) * ratio; y <= (f.py(30) + 4) * ratio; ++y)
                red += image.pixelColor(x, y) == chart_colours::kFirstChannel ? 1 : 0;
            thickest = std::max(thickest, red);
        }
        EXPECT_EQ(thickest, 2 * ratio) << "device pixel ratio " << ratio;
    }
}

// The fault: on a screen of twice the density a long series is still stroked
// antialiased column by column (the frame several times slower), or its lone
// reading's dot lands where its logical position would be in device pixels. A slow
// swing over 100,001 readings, readings 50,000..54,999 missing but 52,500.
TEST(ChartRendering, ALongSeriesAtTwiceTheDensityIsFilledCrisp)
{
    ChartDataSet set(4);
    set.setInterval(0.01);
    set.setPointCount(0, 100001);
    set.setShown(0, true);
    auto value = [](std::size_t i) { return 20.0 + 15.0 * std::sin(static_cast<double>(i) / 8000.0); };
    for (std::size_t i = 0; i < 100001; ++i)
        set.setY(0, i, i >= 50000 && i < 55000 && i != 52500 ? kGap : value(i));
    Fixture f;
    f.chart.setDataSet(ValueAxis::Y, &set);
    f.chart.setSeriesShown(ValueAxis::Y2, 0, false);
    QImage image(1600, 1200, QImage::Format_RGB32);
    image.setDevicePixelRatio(2);
    image.fill(Qt::white);
    QPainter p(&image);
    f.chart.draw(p, QRect(0, 0, 800, 600));
    p.end();

    const QColor red = chart_colours::kFirstChannel;
    const QRect plot = f.chart.plotRect();
    const int dotX = 2 * f.px(525), dotY = 2 * f.py(value(52500));
    int lineColumns = 0, blended = 0, inGap = 0;
    for (int x = 2 * plot.left() + 2; x < 2 * plot.right(); ++x) {
        bool line = false;
        for (int y = 2 * plot.top() + 2; y < 2 * plot.bottom(); ++y) {
            const QColor c = image.pixelColor(x, y);
            line = line || c == red;
            const bool atDot = std::abs(x - dotX) <= 6 && std::abs(y - dotY) <= 6;
            blended += !atDot && c.red() == 255 && c.green() == c.blue() && c.green() > 0 && c.green() < 255 ? 1 : 0;
            inGap += c == red && x > 2 * f.px(502) && x < 2 * f.px(548) && !atDot ? 1 : 0;
        }
        lineColumns += line ? 1 : 0;
    }
    EXPECT_GT(lineColumns, 2 * (plot.width() - f.px(550) + f.px(500)) - 20) << "the line on both sides of the gap";
    EXPECT_EQ(blended, 0) << "nothing of the line blended";
    EXPECT_EQ(inGap, 0) << "the missing readings";
    EXPECT_TRUE(near(image, dotX, dotY, red)) << "the lone reading's dot";
}

TEST(ChartRendering, ADiagonalLineIsAntialiased)
{
    // The values climb from 0 to 40 across the plot: a slope of about two pixels up
    // for three across. Each column the line crosses holds a pixel of (nearly) the full
    // colour and, at the line's edges, pixels between red and the white background.
    Fixture f;
    for (std::size_t i = 0; i <= 100; ++i)
        f.first.setY(0, i, 0.4 * static_cast<double>(i));
    f.chart.setDataSet(ValueAxis::Y, &f.first);
    for (int s : {1, 2, 3})
        f.chart.setSeriesShown(ValueAxis::Y, s, false);
    f.chart.setSeriesShown(ValueAxis::Y2, 0, false);
    const QImage image = f.render();

    int columns = 0, solid = 0, blended = 0;
    for (int x = f.px(100); x <= f.px(900); ++x) {
        const int y = f.py(40.0 * (x - f.px(0)) / double(f.px(1000) - f.px(0)));
        bool full = false, edge = false;
        for (int dy = -4; dy <= 4; ++dy) {
            const QColor c = image.pixelColor(x, y + dy);
            full = full || (c.red() == 255 && c.green() < 64 && c.blue() < 64);
            // A blend of red over white: red stays full, green and blue fall together.
            edge = edge || (c.red() == 255 && c.green() == c.blue() && c.green() > 0 && c.green() < 255);
        }
        ++columns;
        solid += full ? 1 : 0;
        blended += edge ? 1 : 0;
    }
    EXPECT_EQ(solid, columns) << "the line's core is in its own colour";
    EXPECT_GT(blended, columns * 9 / 10) << "its edges are smoothed";
}

TEST(ChartFooter, ALineTooWideWrapsAtItsWidestGapThenElides)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(16);
    const QFontMetrics m(font);
    const QString fromTo = QStringLiteral("From:-  07 December 2026 14:00:00     To:-  07 December 2026 14:16:40");
    const QString from = QStringLiteral("From:-  07 December 2026 14:00:00");
    const QString to = QStringLiteral("To:-  07 December 2026 14:16:40");
    const int whole = m.horizontalAdvance(fromTo);
    const int half = std::max(m.horizontalAdvance(from), m.horizontalAdvance(to));
    struct Case {
        const char* what;
        QStringList footer;
        int width;
        int capacity;
        QStringList want;
    } cases[] = {
        {"fits", {fromTo}, whole, 2, {fromTo}},
        {"wraps at the From/To gap", {fromTo}, whole - 1, 2, {from, to}},
        {"just room for its halves", {fromTo}, half, 2, {from, to}},
        {"a readout breaks after its time",
         {QStringLiteral(" 08 December 2026 02:29:00 : 20.7, 9.3, 43.0%rh")},
         half,
         2,
         {QStringLiteral("08 December 2026 02:29:00 :"), QStringLiteral("20.7, 9.3, 43.0%rh")}},
        {"a space, as with nothing loaded", {QStringLiteral(" ")}, 50, 2, {QStringLiteral(" ")}},
        {"no footer", {}, 50, 2, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(fitFooterLines(c.footer, m, c.width, c.capacity), c.want) << c.what;

    // No room for a second line, or halves still too wide: cut short with an ellipsis.
    for (const auto& [width, capacity, lines] : {std::tuple{whole - 1, 1, 1}, std::tuple{half - 1, 2, 2}}) {
        const QStringList got = fitFooterLines({fromTo}, m, width, capacity);
        ASSERT_EQ(got.size(), lines) << width;
        for (const QString& line : got)
            EXPECT_LE(m.horizontalAdvance(line), width);
        EXPECT_TRUE(got.front().endsWith(QChar(0x2026)) || got.back().endsWith(QChar(0x2026))) << width;
    }
}

TEST(ChartMapping, PixelsToValuesAndNearestReadings)
{
    Fixture f;
    const QRect plot = f.chart.plotRect();
    ASSERT_GT(plot.width(), 400);
    ChartValue v = f.chart.map(plot.bottomLeft(), ValueAxis::Y);
    EXPECT_DOUBLE_EQ(v.x, 0.0);
    EXPECT_DOUBLE_EQ(v.y, 0.0);
    v = f.chart.map(plot.topRight(), ValueAxis::Y2);
    EXPECT_DOUBLE_EQ(v.x, 1000.0);
    EXPECT_DOUBLE_EQ(v.y, 100.0);
    v = f.chart.map(QPoint(plot.center().x(), plot.top()), ValueAxis::Y);
    EXPECT_DOUBLE_EQ(v.y, 40.0);
    for (QPoint outside : {plot.topLeft() - QPoint(1, 0), plot.bottomRight() + QPoint(0, 1)})
        EXPECT_EQ(f.chart.map(outside, ValueAxis::Y).x, kGap);

    EXPECT_EQ(f.chart.pick(plot.topLeft()), 0);
    EXPECT_EQ(f.chart.pick(plot.bottomRight()), 100);
    EXPECT_EQ(f.chart.pick(plot.bottomRight() + QPoint(50, 0)), 100) << "brought into the plot";
    EXPECT_EQ(f.chart.pick(QPoint(f.px(504), plot.top())), 50);
    EXPECT_EQ(f.chart.pick(QPoint(f.px(496), plot.top())), 50);

    // A zoom box's X: the steps run from the first data set's first reading, which
    // with several files need not lie at 0 (there it starts 3 s in).
    f.chart.setDataSetOffset(0, 3);
    EXPECT_EQ(f.chart.pickX(QPoint(f.px(504), plot.top()), 10), 503);
    EXPECT_EQ(f.chart.pickX(QPoint(f.px(496), plot.top()), 10), 493);
    EXPECT_EQ(f.chart.pickX(plot.bottomRight() + QPoint(50, 0), 10), 1003) << "brought into the plot";
    EXPECT_NEAR(f.chart.pickX(QPoint(f.px(504), plot.top()), 1), 504, 1) << "whole seconds: the pointer's own";

    Chart empty;
    empty.setBounds(QRect(0, 0, 800, 600));
    EXPECT_EQ(empty.pick(empty.plotRect().center()), -1);
}

TEST(ChartAxes, AutomaticLimitsFollowTheShownSeries)
{
    Fixture f;
    f.chart.setAxisMinimumAutomatic(Axis::Y);
    f.chart.setAxisMaximumAutomatic(Axis::Y);
    // 5..30 in steps of 5 (25 / 8 rounds up to 5), a step of room at both ends
    // since the alarm lines lie on them.
    EXPECT_DOUBLE_EQ(f.chart.axisMinimum(Axis::Y), 0.0);
    EXPECT_DOUBLE_EQ(f.chart.axisMaximum(Axis::Y), 35.0);
    f.chart.setSeriesShown(ValueAxis::Y, 1, false); // without the high alarm: 5..20 in steps of 2
    EXPECT_DOUBLE_EQ(f.chart.axisMinimum(Axis::Y), 4.0);
    EXPECT_DOUBLE_EQ(f.chart.axisMaximum(Axis::Y), 22.0);
    f.chart.setAxisMaximum(Axis::Y, 33.3);
    EXPECT_DOUBLE_EQ(f.chart.axisMaximum(Axis::Y), 33.3);
    EXPECT_FALSE(f.chart.axisMaximumIsAutomatic(Axis::Y));
    EXPECT_TRUE(f.chart.axisMinimumIsAutomatic(Axis::Y));

    f.chart.setAxisMinimumAutomatic(Axis::X);
    f.chart.setAxisMaximumAutomatic(Axis::X);
    EXPECT_DOUBLE_EQ(f.chart.axisMaximum(Axis::X), 1000.0);
    EXPECT_EQ(f.chart.valueToTime(59.9999999), 59);
}

TEST(ChartAxes, AnEmptyRangeStillDraws)
{
    Fixture f;
    f.chart.setAxisMinimum(Axis::Y, 12.0);
    f.chart.setAxisMaximum(Axis::Y, 12.0);
    f.chart.setAxisMaximum(Axis::X, 0.0);
    f.chart.setAxisMinimum(Axis::X, 0.0);
    const QImage image = f.render();
    EXPECT_EQ(image.pixelColor(2, 2), QColor(Qt::white));
    Chart nothing;
    applyChartSettings(nothing, {});
    QImage blank(300, 200, QImage::Format_RGB32);
    QPainter p(&blank);
    nothing.draw(p, blank.rect());
}

} // namespace
} // namespace velmora
