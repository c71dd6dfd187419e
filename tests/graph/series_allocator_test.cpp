// A chart series keeps its points when it grows into memory of its own (2 MiB and
// more) and when it is copied or shrunk there.
#include "chart_data_set.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(SeriesAllocator, PointsSurviveGrowingPastLargePagesCopiesAndShrinking)
{
    const std::size_t large = series_memory::kLargePage / sizeof(double);
    ChartDataSet::Values v;
    for (std::size_t i = 0; i < large + 1000; ++i)
        v.push_back(static_cast<double>(i) * 0.5);
    ChartDataSet::Values copy = v;
    v.resize(large + 10);
    v.shrink_to_fit();
    ChartDataSet::Values small(v.begin(), v.begin() + 10);
    for (std::size_t i : {std::size_t{0}, large - 1, large, large + 9})
        EXPECT_EQ(v[i], static_cast<double>(i) * 0.5) << i;
    EXPECT_EQ(copy.back(), static_cast<double>(large + 999) * 0.5);
    EXPECT_EQ(small.back(), 4.5);
}

} // namespace
} // namespace velmora
