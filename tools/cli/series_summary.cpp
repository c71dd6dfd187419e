#include "series_summary.h"

#include <algorithm>

namespace velmora {

namespace {

bool isGap(double v)
{
    return v == ChartDataSet::kGap;
}

template <typename Beyond>
std::size_t countBeyond(const std::vector<double>& value, const std::vector<double>& level, std::size_t count,
                        Beyond beyond)
{
    const std::size_t n = std::min({count, value.size(), level.size()});
    std::size_t readings = 0;
    for (std::size_t i = 0; i < n; ++i)
        if (!isGap(value[i]) && !isGap(level[i]) && beyond(value[i], level[i]))
            ++readings;
    return readings;
}

} // namespace

SeriesSummary summarize(const std::vector<double>& y, std::size_t count)
{
    SeriesSummary s;
    double sum = 0;
    const std::size_t n = std::min(count, y.size());
    for (std::size_t i = 0; i < n; ++i) {
        const double v = y[i];
        if (isGap(v))
            continue;
        if (s.values == 0 || v < s.minimum)
            s.minimum = v;
        if (s.values == 0 || v > s.maximum)
            s.maximum = v;
        sum += v;
        ++s.values;
    }
    if (s.values > 0)
        s.mean = sum / static_cast<double>(s.values);
    return s;
}

std::size_t readingsAbove(const std::vector<double>& value, const std::vector<double>& level, std::size_t count)
{
    return countBeyond(value, level, count, [](double v, double l) { return v > l; });
}

std::size_t readingsBelow(const std::vector<double>& value, const std::vector<double>& level, std::size_t count)
{
    return countBeyond(value, level, count, [](double v, double l) { return v < l; });
}

} // namespace velmora
