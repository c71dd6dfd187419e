#include "column_spans.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

struct Case {
    const char* what;
    std::vector<TracePoint> points;
    double halfWidth;
    std::vector<PixelRect> rects;
    std::vector<std::size_t> strokes;
};

// Each rectangle is what a square-capped stroke of the pen's width covers, worked out
// from the points by hand: the stroke reaches half its width past every end.
TEST(ColumnSpans, ColumnsBecomeTheRectanglesTheirStrokesCover)
{
    const Case cases[] = {
        {"a column's span", {{10, 20}, {10, 30}}, 1.0, {{9, 19, 11, 31}}, {}},
        {"a flat stretch, one rectangle however long", {{0, 5}, {100, 5}}, 1.0, {{-1, 4, 101, 6}}, {}},
        {"a lone point", {{4, 4}}, 1.0, {{3, 3, 5, 5}}, {}},
        {"a step to the next column splits at its middle row, each half joining its column",
         {{10, 20}, {10, 30}, {11, 40}, {11, 50}},
         1.0,
         {{9, 19, 11, 36}, {10, 34, 12, 51}},
         {}},
        {"an odd step's middle stays on the pixel grid (a pen one pixel wide, centred on pixel centres)",
         {{10.5, 30.5}, {11.5, 33.5}},
         0.5,
         {{10, 30, 11, 33}, {11, 32, 12, 34}},
         {}},
        {"a step upwards", {{3, 50}, {4, 40}}, 1.0, {{2, 44, 4, 51}, {3, 39, 5, 46}}, {}},
        {"a slope wider than a pixel is left to the stroke, never drawn as an upright",
         {{0, 0}, {0, 4}, {3, 9}, {3, 12}},
         1.0,
         {{-1, -1, 1, 5}, {2, 8, 4, 13}},
         {1}},
    };
    for (const Case& c : cases) {
        ColumnSpans out;
        columnSpans(c.points.data(), c.points.size(), c.halfWidth, out);
        EXPECT_EQ(out.rects, c.rects) << c.what;
        EXPECT_EQ(out.strokes, c.strokes) << c.what;
    }
}

} // namespace
} // namespace velmora
