#include "device_columns.h"

#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <utility>
#include <vector>

#include "chart_data_set.h"

namespace velmora {
namespace {

constexpr double kGap = ChartDataSet::kGap;

// The fault: a pen whose edges would fall inside device pixels is filled as whole
// pixels anyway (rounded to another width), or a series the fill cannot show exactly
// is not left to its trace.
TEST(DeviceColumns, FilledOnlyWhereTheLineCoversWholeDevicePixels)
{
    std::vector<double> v(5000);
    for (std::size_t i = 0; i < v.size(); ++i)
        v[i] = static_cast<double>(i % 17);
    const MinMaxPyramid pyramid(v.data(), v.size());
    struct Case {
        const char* what;
        double scale;
        double pen;
        TraceMapping map;
        bool filled;
    };
    const Case cases[] = {
        {"one-pixel pen on a screen of twice the density: 2 device pixels", 2.0, 1.0, {0, 0.2, 50, -1, 0, 999}, true},
        {"two-pixel pen there: 4", 2.0, 2.0, {0, 0.2, 50, -1, 0, 999}, true},
        {"two-pixel pen at 1.5: 3", 1.5, 2.0, {0, 0.2, 50, -1, 0, 999}, true},
        {"one-pixel pen at 1.5: half a pixel over", 1.5, 1.0, {0, 0.2, 50, -1, 0, 999}, false},
        {"one-pixel pen at 1.25", 1.25, 1.0, {0, 0.2, 50, -1, 0, 999}, false},
        // 5,000 readings over 1,000 columns: five a logical column, two and a half a
        // device column at 2 (above), one and two thirds at 3: every device column
        // holds one, so the line goes from each to the next.
        {"more than one reading a device column", 3.0, 1.0, {0, 0.2, 50, -1, 0, 999}, true},
        {"two and a half a logical column, fewer than one a device column", 3.0, 1.0, {0, 0.4, 50, -1, 0, 999}, false},
        {"fewer than two a logical column: every reading a point of the trace",
         2.0,
         1.0,
         {0, 0.6, 50, -1, 0, 999},
         false},
    };
    for (const Case& c : cases) {
        DeviceEnvelope work;
        EXPECT_EQ(deviceEnvelopeSpans(v.data(), v.size(), pyramid, c.map, c.scale, c.pen, work), c.filled) << c.what;
    }
}

// The fault: at two device pixels a logical one the envelope is still worked out per
// logical column (each column two device pixels wide, its readings' range spread over
// both), or the pen not scaled. Worked by hand: four readings a logical column, so two
// a device column (readings 2c and 2c + 1 in device column c), rows 20 − 2 × value; a
// one-pixel pen is two device pixels, centred on the column's left edge; a step to the
// next column splits at its middle row, each half widening its own column.
TEST(DeviceColumns, EachDeviceColumnItsOwnReadings)
{
    const std::vector<double> v{0, 1, 3, 3, 2, 2, 5, 4, 4, 9};
    const MinMaxPyramid pyramid(v.data(), v.size());
    DeviceEnvelope work;
    ASSERT_TRUE(deviceEnvelopeSpans(v.data(), v.size(), pyramid, {0.0, 0.25, 10.0, -1.0, 0, 1}, 2.0, 1.0, work));
    const std::vector<PixelRect> want{
        {-1, 15, 1, 21}, // rows 20 and 18, down to the middle (16) of the step to 14
        {0, 13, 2, 17},  // row 14, to 16 on the left and 15 on the right
        {1, 12, 3, 17},  // row 16, to 15 and to 13, the middle of the step to 10
        {2, 9, 4, 14},   // rows 10 and 12, to 13
        {3, 11, 5, 13},  // the reading just past the plot: row 12
    };
    EXPECT_EQ(work.spans.rects, want);
    EXPECT_TRUE(work.spans.dots.empty());
}

// Pixels covered, by device column: a set of rows each.
using Pixels = std::map<long, std::set<long>>;

Pixels covered(const std::vector<PixelRect>& rects)
{
    Pixels out;
    for (const PixelRect& r : rects)
        for (long x = std::lround(r.left); x < std::lround(r.right); ++x)
            for (long y = std::lround(r.top); y < std::lround(r.bottom); ++y)
                out[x].insert(y);
    return out;
}

// What the readings hold in each device column, worked out reading by reading, the
// mapping's offset and step each scaled to device pixels.
struct DeviceColumn {
    int readings = 0;
    int missing = 0;
    long lowRow = 0;
    long highRow = 0;
};

std::map<long, DeviceColumn> readingColumns(const std::vector<double>& v, const TraceMapping& map, double scale)
{
    std::map<long, DeviceColumn> columns;
    for (std::size_t i = 0; i < v.size(); ++i) {
        const long x = static_cast<long>(std::floor(map.x0 * scale + static_cast<double>(i) * (map.dx * scale)));
        DeviceColumn& c = columns[x];
        if (std::isnan(v[i]) || v[i] >= kGap) {
            c.missing += 1;
            continue;
        }
        const long row = static_cast<long>(std::floor(map.y0 * scale + v[i] * (map.dy * scale)));
        c.lowRow = c.readings == 0 ? row : std::min(c.lowRow, row);
        c.highRow = c.readings == 0 ? row : std::max(c.highRow, row);
        c.readings += 1;
    }
    return columns;
}

// The fault: a series filled at device resolution shows other than its readings:
// a reading outside the span drawn in its device column, a line thicker or thinner
// than the pen, a line drawn across missing readings, a lone reading lost or drawn
// as a bar. Each device column's readings are worked out here one by one, and the
// pixels checked against them:
//  - every reading's pixel (its device column, its row) is covered;
//  - where a device column and the two on each side hold one and the same value,
//    exactly the pen's width of rows is covered;
//  - where they hold no reading, nothing is;
//  - a reading alone between missing ones is a dot at its column and row.
TEST(DeviceColumns, WhatIsFilledStaysTrueToTheReadings)
{
    std::vector<double> swing(24000);
    std::uint32_t noise = 7;
    for (std::size_t i = 0; i < swing.size(); ++i) {
        noise = noise * 1664525u + 1013904223u;
        swing[i] = 30.0 * std::sin(static_cast<double>(i) / 700.0) + static_cast<double>(noise >> 28);
    }
    std::vector<double> gaps = swing;
    for (std::size_t i = 4000; i < 4600; ++i)
        gaps[i] = kGap; // "Error": many device columns
    for (std::size_t i = 9000; i < 9900; ++i)
        if (i != 9450)
            gaps[i] = std::nan(""); // missing, with one reading alone in the middle
    gaps[15000] = kGap;             // one reading within a column
    std::vector<double> levels(24000);
    for (std::size_t i = 0; i < levels.size(); ++i)
        levels[i] = static_cast<double>(i / 2000 % 3) * 6.5;
    struct Case {
        const char* what;
        const std::vector<double>& values;
        TraceMapping map;
        double scale;
        double pen;
    };
    const Case cases[] = {
        {"a noisy swing, one-pixel pen, twice the density", swing, {0.0, 0.04, 400.0, -4.0, 0, 959}, 2.0, 1.0},
        {"two-pixel pen, scrolled a fraction, plot not at 0", swing, {-80.3, 0.0371, 310.6, -3.3, 20, 800}, 2.0, 2.0},
        {"three times the density", swing, {0.0, 0.03, 400.0, -4.0, 0, 719}, 3.0, 1.0},
        {"three readings a logical column, one and a half a device column",
         swing,
         {0.0, 0.33, 400.0, -4.0, 0, 959},
         2.0,
         2.0},
        {"the same over missing readings and a lone one", gaps, {-2640.0, 0.33, 400.0, -4.0, 0, 959}, 2.0, 2.0},
        {"a two-pixel pen at 1.5", swing, {0.0, 0.04, 400.0, -4.0, 0, 959}, 1.5, 2.0},
        {"gaps and a lone reading", gaps, {0.0, 0.04, 400.0, -4.0, 0, 959}, 2.0, 2.0},
        {"level stretches", levels, {0.0, 0.04, 100.0, -2.0, 0, 959}, 2.0, 2.0},
        {"level stretches, one-pixel pen at 3", levels, {0.0, 0.03, 100.0, -2.0, 0, 719}, 3.0, 1.0},
    };
    for (const Case& c : cases) {
        const MinMaxPyramid pyramid(c.values.data(), c.values.size());
        DeviceEnvelope work;
        ASSERT_TRUE(deviceEnvelopeSpans(c.values.data(), c.values.size(), pyramid, c.map, c.scale, c.pen, work))
            << c.what;
        const int width = static_cast<int>(c.pen * c.scale);
        const Pixels pixels = covered(work.spans.rects);
        const std::map<long, DeviceColumn> columns = readingColumns(c.values, c.map, c.scale);
        const long left = static_cast<long>(std::floor(c.map.left * c.scale));
        const long right = static_cast<long>(std::ceil((c.map.right + 1) * c.scale)) - 1;
        auto column = [&](long x) { return columns.count(x) ? columns.at(x) : DeviceColumn{}; };
        auto isDot = [&](long x, long row) {
            for (const auto& dot : work.spans.dots)
                if (std::lround(dot.second.x) == x && static_cast<long>(std::floor(dot.second.y)) == row)
                    return true;
            return false;
        };
        int uncovered = 0, wrongWidth = 0, acrossGap = 0, dots = 0, levelColumns = 0, gapColumns = 0;
        for (long x = left; x <= right; ++x) {
            const DeviceColumn here = column(x);
            const bool lone = here.readings == 1 && column(x - 1).readings == 0 && column(x + 1).readings == 0;
            if (lone) {
                dots += isDot(x, here.lowRow) ? 1 : 0;
                continue;
            }
            for (long row : {here.lowRow, here.highRow})
                if (here.readings > 0 && (!pixels.count(x) || !pixels.at(x).count(row)))
                    ++uncovered;
            // A pixel column is covered by the columns within the pen's half width of
            // it; those are widened by the steps to theirs.
            bool level = true, empty = true;
            for (long n = x - 3; n <= x + 3; ++n) {
                const DeviceColumn c2 = column(n);
                level =
                    level && c2.readings > 0 && c2.missing == 0 && c2.lowRow == c2.highRow && c2.lowRow == here.lowRow;
                empty = empty && (n < x - 2 || n > x + 2 || c2.readings == 0);
            }
            if (level) {
                ++levelColumns;
                wrongWidth += pixels.count(x) && static_cast<int>(pixels.at(x).size()) == width ? 0 : 1;
            }
            if (empty && x > left + 2 && x < right - 2) {
                ++gapColumns;
                acrossGap += pixels.count(x) ? 1 : 0;
            }
        }
        EXPECT_EQ(uncovered, 0) << c.what << ": readings outside their column's span";
        EXPECT_EQ(wrongWidth, 0) << c.what << ": level columns not exactly " << width << " device pixels thick";
        EXPECT_EQ(acrossGap, 0) << c.what << ": pixels where no reading is";
        EXPECT_EQ(dots, static_cast<int>(work.spans.dots.size())) << c.what << ": lone readings as dots";
        if (&c.values == &gaps) {
            EXPECT_GT(gapColumns, 100) << c.what << ": the gap rule checked at all";
            EXPECT_EQ(work.spans.dots.size(), 1u) << c.what;
        }
        if (&c.values == &levels) {
            EXPECT_GT(levelColumns, (right - left) * 9 / 10) << c.what << ": the level rule checked at all";
        }
    }
}

} // namespace
} // namespace velmora
