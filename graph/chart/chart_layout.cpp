#include "chart_layout.h"

#include <QFontMetrics>
#include <algorithm>
#include <climits>
#include <cmath>

#include "axis_ticks.h"
#include "series_index.h"
#include "zoom_level.h"

namespace velmora {

namespace {

constexpr int kMargin = 8;
constexpr int kTick = 5;
constexpr int kSampleWidth = 28;

int slotOf(ValueAxis axis) { return axis == ValueAxis::Y ? 0 : 1; }

// A range that can be drawn: a fixed minimum equal to (or above) the maximum opens up
// by `step` rather than dividing by zero.
std::pair<double, double> drawable(double min, double max, double step)
{
    if (!std::isfinite(min) || !std::isfinite(max))
        return {0.0, 1.0};
    if (max - min <= 0.0 || (max - min) < std::abs(max) * 1e-12)
        return {min, min + (step > 0.0 ? step : 1.0)};
    return {min, max};
}

bool hasReadings(const Chart& chart, ValueAxis axis)
{
    for (int id = 0; id < chart.dataSetCount(); ++id) {
        const SeriesIndex* index = chart.seriesIndexAt(id);
        if (!index || chart.dataSetAxis(id) != axis)
            continue;
        for (int s = 0; s < index->seriesCount(); ++s)
            if (index->drawnCount(s) > 0)
                return true;
    }
    return false;
}

std::vector<double> gridValues(double min, double max, double spacing, double tickStep)
{
    return valueTicks(min, max, spacing > 0.0 ? spacing : tickStep);
}

// The value axes' tick steps, which the grid lines follow where no spacing is set.
struct ValueSteps {
    double y = 1.0;
    double y2 = 1.0;
};

// Top down: the header, then a row for the axis titles. Returns the plot's top.
int placeHeaderAndTitles(ChartLayout& l, const Chart& chart, const QRect& rect, const QFontMetrics& title,
                         const QFontMetrics& label)
{
    int top = rect.top() + kMargin;
    const QStringList header = chart.header();
    const bool headerText =
        std::any_of(header.begin(), header.end(), [](const QString& s) { return !s.trimmed().isEmpty(); });
    const int headerHeight = headerText ? static_cast<int>(header.size()) * title.height() : 0;
    l.header = QRect(rect.left(), top, rect.width(), headerHeight);
    top += headerHeight + (headerText ? 4 : 0);
    // The top tick labels stand half a line above the plot: keep the titles clear.
    const int titleRow = title.height() + label.height() / 2 + 2;
    l.yTitle = QRect(rect.left() + kMargin, top, rect.width() / 2 - kMargin, title.height());
    l.y2Title = QRect(rect.left() + rect.width() / 2, top, rect.width() / 2 - kMargin, title.height());
    return top + titleRow;
}

// The footer at the bottom, always with room for a line, so the plot stays put when
// the footer empties, and for two a line when the chart is narrower than the footer's
// sample. Returns the lowest pixel left for what goes above it.
int placeFooter(ChartLayout& l, const Chart& chart, const QRect& rect, const QFontMetrics& title)
{
    const int bottom = rect.bottom() - kMargin;
    const QString sample = chart.footerSample();
    const int width = rect.width() - 2 * kMargin;
    const int perLine = !sample.isEmpty() && title.horizontalAdvance(sample) > width ? 2 : 1;
    const int footerHeight = std::max<int>(1, static_cast<int>(chart.footer().size())) * perLine * title.height();
    l.footer = QRect(rect.left() + kMargin, bottom - footerHeight + 1, width, footerHeight);
    return l.footer.top() - 4;
}

// The legend's entries for the shown, labelled series, in rows filled left to right
// and centred, standing on `bottom`. Returns the lowest pixel left above the legend.
int placeLegend(ChartLayout& l, const Chart& chart, const QRect& rect, const QFontMetrics& label, int bottom)
{
    struct Item {
        int set;
        int series;
        int width;
    };
    std::vector<Item> items;
    for (int id = 0; id < chart.dataSetCount(); ++id)
        for (int s = 0; s < chart.seriesCountAt(id); ++s)
            if (chart.seriesShownAt(id, s) && !chart.seriesLabelAt(id, s).isEmpty())
                items.push_back({id, s, kSampleWidth + 6 + chart.labelTextWidth(chart.seriesLabelAt(id, s))});
    const int rowHeight = label.height() + 4;
    const int available = rect.width() - 2 * kMargin;
    std::vector<std::vector<Item>> rows;
    int used = 0;
    for (const Item& item : items) {
        if (rows.empty() || (used + item.width > available && !rows.back().empty())) {
            rows.emplace_back();
            used = 0;
        }
        rows.back().push_back(item);
        used += item.width + 18;
    }
    const int legendHeight = static_cast<int>(rows.size()) * rowHeight;
    int y = bottom - legendHeight + 1;
    for (const auto& row : rows) {
        int width = -18;
        for (const Item& item : row)
            width += item.width + 18;
        int x = rect.left() + (rect.width() - width) / 2;
        for (const Item& item : row) {
            LegendEntry e;
            e.set = item.set;
            e.series = item.series;
            e.sample = QRect(x, y, kSampleWidth, rowHeight);
            e.text = QRect(x + kSampleWidth + 6, y, item.width - kSampleWidth - 6, rowHeight);
            l.legend.push_back(e);
            x += item.width + 18;
        }
        y += rowHeight;
    }
    return bottom - (legendHeight + (rows.empty() ? 0 : 4));
}

// One tick per value, labelled with `decimals` digits (pixels follow once the plot is
// placed). Returns the widest label's width.
int addValueTicks(std::vector<AxisTick>& ticks, const std::vector<double>& values, int decimals,
                  const QFontMetrics& label)
{
    int widest = 0;
    for (double v : values) {
        AxisTick t;
        t.label = QString::number(v, 'f', decimals);
        widest = std::max(widest, label.horizontalAdvance(t.label));
        ticks.push_back(t);
    }
    return widest;
}

void setValueTickPixels(const ChartLayout& l, std::vector<AxisTick>& ticks, const std::vector<double>& values,
                        ValueAxis axis)
{
    for (std::size_t i = 0; i < ticks.size(); ++i)
        ticks[i].pixel = static_cast<int>(std::lround(l.valueToPixel(values[i], axis)));
}

// The value ranges and their ticks between `plotTop` and `plotBottom`. The labels'
// widths decide the side margins, so the plot is placed here, and then the ticks'
// pixels. The right axis is drawn only when its data set has readings; otherwise half
// a time label keeps the last time label inside the chart.
ValueSteps placeValueAxesAndPlot(ChartLayout& l, const Chart& chart, const QRect& rect, const QFontMetrics& label,
                                 int timeLabelWidth, int plotTop, int plotBottom)
{
    const int plotHeight = std::max(1, plotBottom - plotTop);
    const int maxValueTicks = std::max(2, plotHeight / (label.height() * 2 + 6));
    const double yStep0 = valueStep(chart.yDecimals());
    auto [yMin, yMax] = drawable(chart.axisMinimum(Axis::Y), chart.axisMaximum(Axis::Y), yStep0);
    auto [y2Min, y2Max] = drawable(chart.axisMinimum(Axis::Y2), chart.axisMaximum(Axis::Y2), 1.0);
    l.valueMin = {yMin, y2Min};
    l.valueMax = {yMax, y2Max};
    ValueSteps steps;
    steps.y = niceStep(yMax - yMin, maxValueTicks, yStep0);
    steps.y2 = niceStep(y2Max - y2Min, maxValueTicks, 0.0);
    l.showY2Axis = hasReadings(chart, ValueAxis::Y2);

    const std::vector<double> yValues = valueTicks(yMin, yMax, steps.y);
    const std::vector<double> y2Values = valueTicks(y2Min, y2Max, steps.y2);
    const int yLabelWidth = addValueTicks(l.yTicks, yValues, chart.yDecimals(), label);
    const int y2LabelWidth = l.showY2Axis ? addValueTicks(l.y2Ticks, y2Values, decimalsForStep(steps.y2), label) : 0;

    const int left = rect.left() + kMargin + yLabelWidth + kTick + 3;
    const int right = rect.right() - kMargin - (l.showY2Axis ? y2LabelWidth + kTick + 3 : timeLabelWidth / 2);
    l.plot = QRect(QPoint(left, plotTop), QPoint(std::max(left + 1, right), plotTop + plotHeight));

    setValueTickPixels(l, l.yTicks, yValues, ValueAxis::Y);
    setValueTickPixels(l, l.y2Ticks, y2Values, ValueAxis::Y2);
    return steps;
}

// The time axis' range and ticks across the placed plot; below a day's step a tick
// where the day changes carries the date as a second line. Returns the most time
// ticks the plot's width allows.
int placeTimeAxis(ChartLayout& l, const Chart& chart, int timeLabelWidth)
{
    auto [xMin, xMax] = drawable(chart.axisMinimum(Axis::X), chart.axisMaximum(Axis::X), 1.0);
    l.xMin = xMin;
    l.xMax = xMax;
    const int maxTimeTicks = std::max(1, (l.plot.width()) / (timeLabelWidth + 16));
    const TimeTicks ticks = timeTicks(chart.timeBase(), xMin, xMax, maxTimeTicks);
    std::int64_t lastDay = INT64_MIN;
    for (double x : ticks.positions) {
        const std::int64_t time = chart.valueToTime(x + 1e-6);
        AxisTick t;
        t.pixel = static_cast<int>(std::lround(l.xToPixel(x)));
        t.label = QString::fromStdString(timeTickLabel(time, ticks.step));
        if (ticks.step < 86400 && dayNumber(time) != lastDay)
            t.secondLine = QString::fromStdString(dateLabel(time));
        lastDay = dayNumber(time);
        l.xTicks.push_back(t);
    }
    return maxTimeTicks;
}

// Grid lines: at the ticks, or at the spacing asked for.
void placeGridLines(ChartLayout& l, const Chart& chart, int maxTimeTicks, const ValueSteps& steps)
{
    if (chart.gridShown(Axis::X)) {
        if (chart.gridSpacing(Axis::X) > 0.0) {
            const TimeTicks spaced =
                timeTicks(chart.timeBase(), l.xMin, l.xMax, maxTimeTicks, chart.gridSpacing(Axis::X));
            for (double x : spaced.positions)
                l.xGrid.push_back(static_cast<int>(std::lround(l.xToPixel(x))));
        } else {
            for (const AxisTick& t : l.xTicks)
                l.xGrid.push_back(t.pixel);
        }
    }
    if (chart.gridShown(Axis::Y))
        for (double v : gridValues(l.valueMin[0], l.valueMax[0], chart.gridSpacing(Axis::Y), steps.y))
            l.yGrid.push_back(static_cast<int>(std::lround(l.valueToPixel(v, ValueAxis::Y))));
    if (chart.gridShown(Axis::Y2) && l.showY2Axis)
        for (double v : gridValues(l.valueMin[1], l.valueMax[1], chart.gridSpacing(Axis::Y2), steps.y2))
            l.y2Grid.push_back(static_cast<int>(std::lround(l.valueToPixel(v, ValueAxis::Y2))));
}

} // namespace

double ChartLayout::xToPixel(double x) const
{
    return plot.left() + (x - xMin) / (xMax - xMin) * (plot.right() - plot.left());
}

double ChartLayout::pixelToX(int px) const
{
    return xMin + double(px - plot.left()) / std::max(1, plot.right() - plot.left()) * (xMax - xMin);
}

double ChartLayout::valueToPixel(double v, ValueAxis axis) const
{
    const int a = slotOf(axis);
    return plot.bottom() - (v - valueMin[a]) / (valueMax[a] - valueMin[a]) * (plot.bottom() - plot.top());
}

double ChartLayout::pixelToValue(int py, ValueAxis axis) const
{
    const int a = slotOf(axis);
    return valueMin[a] +
           double(plot.bottom() - py) / std::max(1, plot.bottom() - plot.top()) * (valueMax[a] - valueMin[a]);
}

namespace {

// Where to break a line in two: the start of its widest run of spaces; among equals
// one after a colon or a comma (a readout breaks after its time), then the one nearest
// the middle; -1 when it has none. `length` is the run's length.
qsizetype breakPoint(const QString& line, qsizetype& length)
{
    qsizetype best = -1;
    int bestScore = 0;
    length = 0;
    const auto fromMiddle = [&](qsizetype at) { return std::abs(2 * at - line.size()); };
    for (qsizetype i = 0; i < line.size();) {
        if (line[i] != QLatin1Char(' ')) {
            ++i;
            continue;
        }
        qsizetype end = i;
        while (end < line.size() && line[end] == QLatin1Char(' '))
            ++end;
        const bool afterMark = i > 0 && (line[i - 1] == QLatin1Char(':') || line[i - 1] == QLatin1Char(','));
        const int score = static_cast<int>(2 * (end - i)) + (afterMark ? 1 : 0);
        const bool inside = i > 0 && end < line.size();
        if (inside && (score > bestScore || (score == bestScore && fromMiddle(i) < fromMiddle(best)))) {
            best = i;
            bestScore = score;
            length = end - i;
        }
        i = end;
    }
    return best;
}

} // namespace

QStringList fitFooterLines(const QStringList& lines, const QFontMetrics& metrics, int width, int capacity)
{
    QStringList out;
    int spare = capacity - static_cast<int>(lines.size());
    for (const QString& line : lines) {
        qsizetype run = 0;
        const qsizetype at = metrics.horizontalAdvance(line) > width && spare > 0 ? breakPoint(line, run) : -1;
        if (at < 0) {
            out << metrics.elidedText(line, Qt::ElideRight, width);
            continue;
        }
        --spare;
        out << metrics.elidedText(line.left(at).trimmed(), Qt::ElideRight, width)
            << metrics.elidedText(line.mid(at + run).trimmed(), Qt::ElideRight, width);
    }
    return out;
}

ChartLayout computeLayout(const Chart& chart, const QRect& rect)
{
    ChartLayout l;
    l.bounds = rect;
    const QFontMetrics title(chart.titleFont());
    const QFontMetrics label(chart.labelFont());
    const int timeLabelWidth = label.horizontalAdvance(QStringLiteral("00/00/0000"));

    // Header and titles top down; footer, legend and the time labels' two lines
    // bottom up; the plot takes what is left between them.
    const int plotTop = placeHeaderAndTitles(l, chart, rect, title, label);
    int bottom = placeFooter(l, chart, rect, title);
    if (chart.legendShown())
        bottom = placeLegend(l, chart, rect, label, bottom);
    const int plotBottom = bottom - (kTick + 2 + 2 * label.height());

    const ValueSteps steps = placeValueAxesAndPlot(l, chart, rect, label, timeLabelWidth, plotTop, plotBottom);
    const int maxTimeTicks = placeTimeAxis(l, chart, timeLabelWidth);
    placeGridLines(l, chart, maxTimeTicks, steps);
    return l;
}

} // namespace velmora
