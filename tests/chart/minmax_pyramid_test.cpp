#include "minmax_pyramid.h"

#include <cmath>
#include <gtest/gtest.h>
#include <random>

#include "chart_data_set.h"

namespace velmora {
namespace {

ValueExtent byHand(const std::vector<double>& v, std::size_t a, std::size_t b)
{
    ValueExtent e;
    for (std::size_t i = a; i <= b && i < v.size(); ++i)
        if (v[i] != ChartDataSet::kGap && std::isfinite(v[i]))
            e.add(v[i]);
    return e;
}

TEST(MinMaxPyramid, AgreesWithAPlainScanOverAnyRange)
{
    std::mt19937 rng(7);
    for (std::size_t n : {0u, 1u, 7u, 8u, 9u, 15u, 16u, 17u, 63u, 64u, 65u, 255u, 256u, 4097u, 70001u}) {
        std::vector<double> v(n);
        std::uniform_real_distribution<double> value(-50.0, 50.0);
        std::uniform_int_distribution<int> kind(0, 19);
        for (double& x : v) {
            const int k = kind(rng);
            x = k == 0 ? ChartDataSet::kGap : k == 1 ? std::nan("") : value(rng);
        }
        const MinMaxPyramid p(v.data(), v.size());
        std::uniform_int_distribution<std::size_t> index(0, n ? n - 1 : 0);
        for (int q = 0; q < 400; ++q) {
            std::size_t a = index(rng), b = index(rng);
            if (a > b)
                std::swap(a, b);
            const ValueExtent want = byHand(v, a, b);
            const ValueExtent got = p.query(a, b);
            ASSERT_EQ(got.empty(), want.empty()) << n << " " << a << ".." << b;
            if (!want.empty()) {
                EXPECT_EQ(got.min, want.min) << n << " " << a << ".." << b;
                EXPECT_EQ(got.max, want.max) << n << " " << a << ".." << b;
            }
        }
    }
}

// A column of a long overlay holds a few dozen readings: every short range at every
// start, so no reading at the ends of a range, nor at the edge of a block, is skipped
// or counted twice.
TEST(MinMaxPyramid, EveryShortRange)
{
    std::vector<double> v(300);
    for (std::size_t i = 0; i < v.size(); ++i)
        v[i] =
            i % 23 == 5 ? ChartDataSet::kGap : std::sin(static_cast<double>(i) * 0.7) * 10.0 + (i % 11 == 3 ? 40 : 0);
    const MinMaxPyramid p(v.data(), v.size());
    for (std::size_t a = 0; a < 200; ++a)
        for (std::size_t b = a; b < a + 80; ++b) {
            const ValueExtent want = byHand(v, a, b);
            const ValueExtent got = p.query(a, b);
            ASSERT_EQ(got.min, want.min) << a << ".." << b;
            ASSERT_EQ(got.max, want.max) << a << ".." << b;
        }
}

TEST(MinMaxPyramid, EdgesOfTheSeries)
{
    const std::vector<double> v{3.0, ChartDataSet::kGap, -1.0, 8.0};
    const MinMaxPyramid p(v.data(), v.size());
    EXPECT_TRUE(p.query(1, 1).empty()) << "a gap alone";
    EXPECT_EQ(p.query(0, 100).max, 8.0) << "clamped to the series";
    EXPECT_TRUE(p.query(4, 9).empty()) << "past the end";
    EXPECT_TRUE(p.query(3, 2).empty()) << "reversed";
    EXPECT_TRUE(MinMaxPyramid().query(0, 0).empty());

    const double inf = std::numeric_limits<double>::infinity();
    const std::vector<double> odd{inf, -inf, 2.0, std::nan("")};
    const ValueExtent e = MinMaxPyramid(odd.data(), odd.size()).query(0, 3);
    EXPECT_EQ(e.min, 2.0) << "neither infinity is drawn";
    EXPECT_EQ(e.max, 2.0);
}

} // namespace
} // namespace velmora
