#pragma once
// Where a chart drawn in a given rectangle puts its parts: header, axis titles, plot,
// ticks and their labels, grid lines, legend and footer, with the value ranges in
// force. Made by the chart for its own rectangle (mapping, picking) and for any
// rectangle it is drawn into (screen, print, preview).
#include <QFontMetrics>
#include <QRect>
#include <QString>
#include <array>
#include <vector>

#include "chart.h"

namespace velmora {

struct AxisTick {
    int pixel = 0;
    QString label;
    QString secondLine; // the date under a time label where the date changes
};

struct LegendEntry {
    int set = 0; // the chart's data set (Chart::dataSetAt)
    int series = 0;
    QRect sample; // where the line sample goes
    QRect text;
};

struct ChartLayout {
    QRect bounds;
    QRect plot; // right() and bottom() are the last pixels of the plot
    QRect header;
    QRect footer;
    QRect yTitle;
    QRect y2Title;

    double xMin = 0.0;
    double xMax = 1.0;
    std::array<double, 2> valueMin{0.0, 0.0}; // [0] Y, [1] Y2; never an empty range
    std::array<double, 2> valueMax{1.0, 1.0};
    bool showY2Axis = false;

    std::vector<AxisTick> xTicks;
    std::vector<AxisTick> yTicks;
    std::vector<AxisTick> y2Ticks;
    std::vector<int> xGrid;
    std::vector<int> yGrid;
    std::vector<int> y2Grid;
    std::vector<LegendEntry> legend;

    double xToPixel(double x) const;
    double pixelToX(int px) const;
    double valueToPixel(double v, ValueAxis axis) const;
    double pixelToValue(int py, ValueAxis axis) const;
};

ChartLayout computeLayout(const Chart& chart, const QRect& rect);

// The footer's lines as drawn `width` pixels wide with room for `capacity` lines: a
// line that fits stays whole; one that does not is broken in two at its widest run of
// spaces (after a colon or comma, nearest its middle, among equals) while there is room
// for the extra line; what still does not fit is elided at its end.
QStringList fitFooterLines(const QStringList& lines, const QFontMetrics& metrics, int width, int capacity);

} // namespace velmora
