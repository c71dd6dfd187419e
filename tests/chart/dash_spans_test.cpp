#include "dash_spans.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

struct Case {
    const char* what;
    double from;
    double to;
    double y;
    double halfWidth;
    std::vector<double> pattern;
    std::vector<PixelRect> rects; // worked out by hand from the pattern
};

// The fault: dashes that start, repeat or end elsewhere than the painter's would.
TEST(DashSpans, DashesFromTheLinesStartCutAtItsEnd)
{
    const Case cases[] = {
        {"14 on, 6 off; the last dash cut at the end",
         0,
         50,
         10,
         1,
         {14, 6},
         {{0, 9, 14, 11}, {20, 9, 34, 11}, {40, 9, 50, 11}}},
        {"drawn right to left: the pattern starts at the right",
         50,
         0,
         10,
         1,
         {14, 6},
         {{36, 9, 50, 11}, {16, 9, 30, 11}, {0, 9, 10, 11}}},
        {"four lengths: long, gap, short, gap",
         3,
         40,
         20,
         2,
         {14, 4, 5, 4},
         {{3, 18, 17, 22}, {21, 18, 26, 22}, {30, 18, 40, 22}}},
        {"a line ending in a gap draws no stub", 0, 16, 5, 1, {14, 6}, {{0, 4, 14, 6}}},
    };
    for (const Case& c : cases) {
        std::vector<PixelRect> out;
        EXPECT_TRUE(dashSpans(c.from, c.to, c.y, c.halfWidth, c.pattern, out)) << c.what;
        EXPECT_EQ(out, c.rects) << c.what;
    }
}

// Dashes that would cover part of a pixel are left to the painter's antialiasing.
TEST(DashSpans, RefusedOffWholePixels)
{
    const Case cases[] = {
        {"an end between pixels", 0.5, 50, 10, 1, {14, 6}, {}},
        {"a line one pixel wide on a pixel edge", 0, 50, 10, 0.5, {14, 6}, {}},
        {"a dash of part of a pixel", 0, 50, 10, 1, {14.5, 6}, {}},
        {"no pattern", 0, 50, 10, 1, {}, {}},
        {"a dash without its gap", 0, 50, 10, 1, {14, 6, 2}, {}},
    };
    for (const Case& c : cases) {
        std::vector<PixelRect> out;
        EXPECT_FALSE(dashSpans(c.from, c.to, c.y, c.halfWidth, c.pattern, out)) << c.what;
        EXPECT_TRUE(out.empty()) << c.what;
    }
}

} // namespace
} // namespace velmora
