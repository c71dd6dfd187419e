// Chart series keep their points in every kind of memory they get: the heap, a
// share of a large page, large pages of their own; several series share a page
// without touching one another's points, and a page given back is not reused while a
// series still stands in it.
#include "chart_data_set.h"

#include <gtest/gtest.h>

#include <vector>

namespace velmora {
namespace {

using Values = ChartDataSet::Values;

void fill(Values& v, std::size_t n, double seed)
{
    v.clear();
    for (std::size_t i = 0; i < n; ++i)
        v.push_back(seed + static_cast<double>(i));
}

bool holds(const Values& v, std::size_t n, double seed)
{
    if (v.size() != n)
        return false;
    for (std::size_t i = 0; i < n; ++i)
        if (v[i] != seed + static_cast<double>(i))
            return false;
    return true;
}

TEST(SeriesMemory, PointsSurviveEveryKindOfMemoryAndMovesBetweenThem)
{
    // 300,000 points grow from the heap through 256 KiB, 512 KiB and 1 MiB slots to
    // pages of their own, then shrink back into a slot.
    Values v;
    fill(v, 300000, 0.5);
    const Values copy = v;
    v.resize(70000);
    v.shrink_to_fit();
    EXPECT_TRUE(holds(v, 70000, 0.5));
    EXPECT_TRUE(holds(copy, 300000, 0.5));
}

TEST(SeriesMemory, SeriesSharingPagesKeepTheirOwnPoints)
{
    // Ten series of 40,000 points (a 512 KiB slot each, four to a page), some given
    // back and taken again between the others.
    std::vector<Values> series(10);
    for (std::size_t s = 0; s < series.size(); ++s) {
        series[s].reserve(40000);
        fill(series[s], 40000, 1e6 * static_cast<double>(s));
    }
    for (std::size_t s : {1, 2, 3, 4, 9})
        Values().swap(series[s]);
    for (std::size_t s : {2, 9}) {
        series[s].reserve(40000);
        fill(series[s], 40000, -1e6 * static_cast<double>(s));
    }
    for (std::size_t s : {0, 5, 6, 7, 8})
        EXPECT_TRUE(holds(series[s], 40000, 1e6 * static_cast<double>(s))) << s;
    for (std::size_t s : {2, 9})
        EXPECT_TRUE(holds(series[s], 40000, -1e6 * static_cast<double>(s))) << s;
}

} // namespace
} // namespace velmora
