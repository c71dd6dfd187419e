#pragma once
// A chart data set: a few series of Y values that share one X sequence,
// X = index × interval seconds after the chart's time base. Plain C++ (no Qt), so
// the reader fills it and the tests inspect it without a display.
#include <cstddef>
#include <vector>

#include "series_memory.h"

namespace velmora {

class ChartDataSet {
public:
    static constexpr double kGap = 1e308; // a Y value that marks no reading
    using Values = std::vector<double, SeriesAllocator<double>>;

    explicit ChartDataSet(int seriesCount) : series_(static_cast<std::size_t>(seriesCount)) {}

    int seriesCount() const { return static_cast<int>(series_.size()); }

    double interval() const { return interval_; }
    void setInterval(double seconds) { interval_ = seconds; }
    double x(std::size_t index) const { return static_cast<double>(index) * interval_; }

    // The points of one series; the reader fills these in place.
    Values& values(int s) { return at(s).y; }
    const Values& values(int s) const { return at(s).y; }
    std::size_t pointCount(int s) const { return at(s).y.size(); }
    void setPointCount(int s, std::size_t n) { at(s).y.resize(n, kGap); }
    double y(int s, std::size_t i) const { return at(s).y[i]; }
    void setY(int s, std::size_t i, double v) { at(s).y[i] = v; }

    // The last point drawn (-1: all of them).
    long lastPoint(int s) const { return at(s).lastPoint; }
    void setLastPoint(int s, long last) { at(s).lastPoint = last; }

    bool shown(int s) const { return at(s).shown; }
    void setShown(int s, bool shown) { at(s).shown = shown; }

    // The points whose field held no number at all ("Error" in a temperature column),
    // in rising order. Such a field has always been read as 0, and is drawn so; the
    // statistics leave it out, for it is no reading.
    const std::vector<std::size_t>& notNumbers(int s) const { return at(s).notNumbers; }
    void addNotNumber(int s, std::size_t index) { at(s).notNumbers.push_back(index); }

    // Every series back to 0 points and hidden.
    void clear()
    {
        for (Series& s : series_) {
            s.y.clear();
            s.y.shrink_to_fit();
            s.notNumbers.clear();
            s.notNumbers.shrink_to_fit();
            s.lastPoint = -1;
            s.shown = false;
        }
    }

private:
    struct Series {
        Values y;
        std::vector<std::size_t> notNumbers;
        long lastPoint = -1;
        bool shown = false;
    };
    Series& at(int s) { return series_.at(static_cast<std::size_t>(s)); }
    const Series& at(int s) const { return series_.at(static_cast<std::size_t>(s)); }

    std::vector<Series> series_;
    double interval_ = 10.0;
};

} // namespace velmora
