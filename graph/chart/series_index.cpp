#include "series_index.h"

#include "chart_texts.h"

namespace velmora {

SeriesIndex::SeriesIndex(const ChartDataSet& set)
{
    series_.resize(static_cast<std::size_t>(set.seriesCount()));
    for (int s = 0; s < set.seriesCount(); ++s) {
        Series& out = series_[static_cast<std::size_t>(s)];
        out.count = static_cast<std::size_t>(lastShownIndex(set, s) + 1);
        out.pyramid = MinMaxPyramid(set.values(s).data(), out.count);
        if (out.count > 0)
            out.extent = out.pyramid.query(0, out.count - 1);
    }
}

} // namespace velmora
