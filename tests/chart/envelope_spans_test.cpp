#include "envelope_spans.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <random>
#include <utility>

#include "chart_data_set.h"
#include "column_envelope.h"
#include "series_trace.h"

namespace velmora {
namespace {

constexpr double kGap = ChartDataSet::kGap;

// Pixels as rows covered in each pixel column: rectangles' edges lie on pixel edges.
using Pixels = std::map<long, std::vector<std::pair<long, long>>>; // x: merged [top, bottom) rows

void cover(const std::vector<PixelRect>& rects, std::size_t from, std::size_t to, Pixels& out)
{
    for (std::size_t k = from; k < to; ++k)
        for (long x = std::lround(rects[k].left); x < std::lround(rects[k].right); ++x)
            out[x].push_back({std::lround(rects[k].top), std::lround(rects[k].bottom)});
    for (auto& [x, rows] : out) {
        std::sort(rows.begin(), rows.end());
        std::vector<std::pair<long, long>> merged;
        for (const auto& r : rows)
            if (!merged.empty() && r.first <= merged.back().second)
                merged.back().second = std::max(merged.back().second, r.second);
            else
                merged.push_back(r);
        rows = merged;
    }
}

// What the general route draws: the trace, its points on the device grid at one
// device pixel a logical one, each stretch of two or more points through
// columnSpans, a stretch of one point a dot. For each dot, the pixels filled before
// it; last, all of them.
struct Drawn {
    std::vector<std::pair<Pixels, TracePoint>> dots;
    Pixels pixels;
    bool stroked = false; // a segment left for the painter's stroke
};

Drawn throughTrace(const std::vector<double>& v, const TraceMapping& map, int width)
{
    const MinMaxPyramid pyramid(v.data(), v.size());
    Trace trace;
    traceSeries(v.data(), v.size(), pyramid, map, trace);
    EXPECT_TRUE(trace.condensed);
    const double half = gridOffset(width);
    Drawn drawn;
    std::size_t start = 0;
    for (std::size_t end : trace.runEnds) {
        if (end - start == 1) {
            drawn.dots.push_back({drawn.pixels, trace.points[start]});
        } else {
            std::vector<TracePoint> device;
            for (std::size_t i = start; i < end; ++i)
                device.push_back({trace.points[i].x + half, std::floor(trace.points[i].y) + half});
            ColumnSpans spans;
            columnSpans(device.data(), device.size(), width / 2.0, spans);
            cover(spans.rects, 0, spans.rects.size(), drawn.pixels);
            drawn.stroked = drawn.stroked || !spans.strokes.empty();
        }
        start = end;
    }
    return drawn;
}

Drawn throughEnvelope(const std::vector<double>& v, const TraceMapping& map, int width)
{
    const MinMaxPyramid pyramid(v.data(), v.size());
    TraceView view;
    EXPECT_TRUE(traceView(v.size(), map, view) && view.condensed);
    ColumnEnvelope envelope;
    columnEnvelope(v.data(), view.first, view.last, pyramid, map, envelope);
    EnvelopeSpans spans;
    EXPECT_TRUE(envelopeSpans(envelope, map, width, spans));
    Drawn drawn;
    std::size_t filled = 0;
    for (const auto& [before, at] : spans.dots) {
        cover(spans.rects, filled, before, drawn.pixels);
        drawn.dots.push_back({drawn.pixels, at});
        filled = before;
    }
    cover(spans.rects, filled, spans.rects.size(), drawn.pixels);
    return drawn;
}

std::vector<double> series(std::size_t n, const std::function<double(std::size_t)>& value)
{
    std::vector<double> v(n);
    for (std::size_t i = 0; i < n; ++i)
        v[i] = value(i);
    return v;
}

// The fault: the fill straight from the envelope covers other pixels than the trace
// it replaces, or puts a lone reading's dot elsewhere or in another order. The
// trace's route is the reference, worked out by its own code.
TEST(EnvelopeSpans, CoverWhatTheTraceCovers)
{
    std::mt19937 rng(11);
    std::normal_distribution<double> noise(0.0, 3.0);
    const std::vector<double> noisy =
        series(20000, [&](std::size_t i) { return 40.0 * std::sin(i / 900.0) + noise(rng); });
    std::vector<double> gappy = noisy;
    for (std::size_t i = 3000; i < 3400; ++i)
        gappy[i] = kGap; // whole columns missing
    gappy[5000] = kGap;  // one reading within a column
    for (std::size_t i = 7000; i < 7600; ++i)
        if (i != 7300)
            gappy[i] = std::nan(""); // a lone reading among missing ones: a dot
    const std::vector<double> levels = series(9000, [](std::size_t i) { return i / 3000 * 7.0; });
    const std::vector<double> spikes = series(6000, [](std::size_t i) { return i % 997 == 0 ? 1e12 : i % 13 * 1.0; });
    struct Case {
        const char* what;
        const std::vector<double>& values;
        TraceMapping map;
        int width;
    };
    const Case cases[] = {
        {"a noisy swing, steps both ways, two pixels wide", noisy, {0.0, 0.05, 300.0, -3.0, 0, 999}, 2},
        {"the same one pixel wide", noisy, {0.0, 0.05, 300.0, -3.0, 0, 999}, 1},
        {"three pixels wide, scrolled by a fraction of a column", noisy, {-123.4, 0.0371, 250.5, -2.7, 10, 600}, 3},
        {"gaps: whole columns, one reading, a lone reading", gappy, {0.0, 0.05, 300.0, -3.0, 0, 999}, 2},
        {"a gap where two columns meet", gappy, {0.25, 0.0125, 300.0, -3.0, 5, 240}, 2},
        {"level stretches of equal rows", levels, {0.0, 0.1, 100.0, -1.0, 0, 899}, 2},
        {"readings far past the plot, held at its limit", spikes, {0.0, 0.1, 100.0, -1.0, 0, 599}, 2},
        {"the series ends inside the plot", noisy, {400.0, 0.02, 300.0, -3.0, 0, 999}, 2},
        {"rows above the plot's top, below zero", noisy, {0.0, 0.05, 20.3, -3.0, 0, 999}, 2},
    };
    for (const Case& c : cases) {
        const Drawn want = throughTrace(c.values, c.map, c.width);
        ASSERT_FALSE(want.stroked) << c.what << ": the reference left a segment to the stroke";
        const Drawn got = throughEnvelope(c.values, c.map, c.width);
        EXPECT_EQ(got.pixels, want.pixels) << c.what;
        ASSERT_EQ(got.dots.size(), want.dots.size()) << c.what;
        for (std::size_t k = 0; k < want.dots.size(); ++k) {
            EXPECT_EQ(got.dots[k].second.x, want.dots[k].second.x) << c.what;
            EXPECT_EQ(got.dots[k].second.y, want.dots[k].second.y) << c.what;
            EXPECT_EQ(got.dots[k].first, want.dots[k].first) << c.what << ": filled before dot " << k;
        }
    }
    EXPECT_FALSE(throughTrace(gappy, {0.0, 0.05, 300.0, -3.0, 0, 999}, 2).dots.empty()) << "the lone reading is a dot";
}

} // namespace
} // namespace velmora
