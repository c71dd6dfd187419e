#include "spread_series.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace velmora {

namespace {

struct Track {
    const ChartDataSet::Values* values;
    const std::vector<std::size_t>* notNumbers;
    std::size_t nextNotNumber = 0;
    double firstX;
    double interval;
    std::size_t count;
};

} // namespace

SpreadSeries spreadSeries(const std::vector<const GraphData*>& files, const TimeAlignment& alignment)
{
    SpreadSeries spread;
    if (files.size() < 2)
        return spread;
    std::vector<Track> tracks;
    double step = std::numeric_limits<double>::max();
    double first = std::numeric_limits<double>::max();
    double last = std::numeric_limits<double>::lowest();
    for (std::size_t f = 0; f < files.size(); ++f) {
        const GraphData& d = *files[f];
        if (d.channel1.unit != files.front()->channel1.unit || !d.channel1.present)
            continue;
        const ChartDataSet& set = d.channel1.data;
        const std::size_t count = static_cast<std::size_t>(d.fileReadingCount());
        if (count == 0 || set.pointCount(0) < count)
            continue;
        const double interval = d.singleReading ? 1.0 : static_cast<double>(d.sampleInterval);
        const double x0 = static_cast<double>(alignment.offsets.at(f));
        tracks.push_back({&set.values(0), &set.notNumbers(0), 0, x0, interval, count});
        step = std::min(step, interval);
        first = std::min(first, x0);
        last = std::max(last, x0 + static_cast<double>(count - 1) * interval);
    }
    if (tracks.size() < 2)
        return spread;
    std::size_t n = static_cast<std::size_t>((last - first) / step) + 1;
    if (n > kMaxSpreadValues) {
        step = std::ceil((last - first) / static_cast<double>(kMaxSpreadValues - 1));
        n = static_cast<std::size_t>((last - first) / step) + 1;
    }
    spread.firstX = first;
    spread.step = step;
    spread.values.assign(n, ChartDataSet::kGap);
    for (std::size_t k = 0; k < n; ++k) {
        const double x = first + static_cast<double>(k) * step;
        double lo = std::numeric_limits<double>::max();
        double hi = std::numeric_limits<double>::lowest();
        int reading = 0;
        for (Track& t : tracks) {
            if (x < t.firstX)
                continue;
            const std::size_t i = static_cast<std::size_t>((x - t.firstX) / t.interval);
            if (i >= t.count)
                continue;
            const double y = (*t.values)[i];
            // A field that held no number is drawn as 0 but is no reading.
            while (t.nextNotNumber < t.notNumbers->size() && (*t.notNumbers)[t.nextNotNumber] < i)
                ++t.nextNotNumber;
            if (y == ChartDataSet::kGap ||
                (t.nextNotNumber < t.notNumbers->size() && (*t.notNumbers)[t.nextNotNumber] == i))
                continue;
            lo = std::min(lo, y);
            hi = std::max(hi, y);
            ++reading;
        }
        if (reading >= 2)
            spread.values[k] = hi - lo;
    }
    return spread;
}

} // namespace velmora
