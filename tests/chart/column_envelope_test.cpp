#include "column_envelope.h"

#include <cmath>
#include <gtest/gtest.h>

namespace velmora {
namespace {

bool sameColumns(const ColumnEnvelope& a, const ColumnEnvelope& b)
{
    if (a.columns.size() != b.columns.size())
        return false;
    for (std::size_t k = 0; k < a.columns.size(); ++k) {
        const ColumnExtent& x = a.columns[k];
        const ColumnExtent& y = b.columns[k];
        if (x.column != y.column || x.extent.min != y.extent.min || x.extent.max != y.extent.max || x.head != y.head ||
            x.tail != y.tail)
            return false;
    }
    return true;
}

// The fault: a frame keeps the column grid of one file for the next although the two
// are placed differently, and draws the next file's readings in the wrong columns.
// Each row changes one thing that decides where a column's readings start; the
// columns drawn through the kept grid must be those worked out afresh.
TEST(ColumnGrid, KeptOnlyWhileEverythingThatPlacesTheColumnsIsTheSame)
{
    std::vector<double> v(30000);
    for (std::size_t i = 0; i < v.size(); ++i)
        v[i] = 20.0 * std::sin(static_cast<double>(i) / 700.0) + static_cast<double>(i % 7);
    const MinMaxPyramid pyramid(v.data(), v.size());
    const TraceMapping base{-10.0, 0.05, 300.0, -3.0, 0, 999};
    struct Change {
        const char* what;
        TraceMapping map;
        std::size_t first;
        std::size_t last;
    };
    const Change changes[] = {
        {"scrolled by a third of a column", {base.x0 - 1.0 / 3.0, 0.05, 300.0, -3.0, 0, 999}, 180, 20220},
        {"zoomed", {base.x0, 0.049, 300.0, -3.0, 0, 999}, 180, 20220},
        {"a wider plot", {base.x0, 0.05, 300.0, -3.0, 0, 1100}, 180, 22220},
        {"the plot moved right", {base.x0, 0.05, 300.0, -3.0, 40, 999}, 980, 20220},
        {"fewer readings in view (a shorter file)", base, 180, 15000},
        {"later readings first", base, 500, 20220},
    };
    ColumnGrid grid;
    grid.make(base, 180, 20220);
    ColumnEnvelope before;
    columnEnvelope(v.data(), pyramid, grid, before);
    EXPECT_TRUE(grid.fits(base, 180, 20220)) << "the same placing is shared";
    for (const Change& c : changes) {
        ColumnEnvelope fresh;
        columnEnvelope(v.data(), c.first, c.last, pyramid, c.map, fresh);
        ASSERT_FALSE(sameColumns(fresh, before)) << c.what << ": the change must move the columns";
        ColumnGrid kept = grid;
        if (!kept.fits(c.map, c.first, c.last))
            kept.make(c.map, c.first, c.last); // as the renderer does
        ColumnEnvelope drawn;
        columnEnvelope(v.data(), pyramid, kept, drawn);
        EXPECT_TRUE(sameColumns(drawn, fresh)) << c.what;
    }
}

} // namespace
} // namespace velmora
