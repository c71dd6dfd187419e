#include "chart.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "axis_ticks.h"
#include "chart_layout.h"
#include "chart_renderer.h"
#include "series_index.h"
#include "zoom_level.h"

namespace velmora {

namespace {

bool validSeries(int series) { return series >= 0 && series < Chart::kMaxSeries; }

} // namespace

QPen penFor(const LineStyle& style)
{
    QPen pen(style.colour);
    pen.setWidth(std::max(1, style.width));
    const qreal w = pen.widthF();
    // Dash lengths in pixels, turned into the pen's units of its own width.
    auto dashes = [w](std::initializer_list<qreal> pixels) {
        QList<qreal> d;
        for (qreal p : pixels)
            d.push_back(p / w);
        return d;
    };
    switch (style.pattern) {
    case LinePattern::None: pen.setStyle(Qt::NoPen); break;
    case LinePattern::Solid: pen.setStyle(Qt::SolidLine); break;
    case LinePattern::LongDash: pen.setDashPattern(dashes({14, 6})); break;
    case LinePattern::Dotted: pen.setDashPattern(dashes({2, 4})); break;
    case LinePattern::ShortDash: pen.setDashPattern(dashes({6, 5})); break;
    case LinePattern::LongShortLongDash: pen.setDashPattern(dashes({14, 4, 5, 4})); break;
    case LinePattern::DashDot: pen.setDashPattern(dashes({10, 4, 2, 4})); break;
    }
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

Chart::Chart()
{
    titleFont_.setFamily(QStringLiteral("Arial"));
    titleFont_.setPixelSize(16);
    titleFont_.setBold(true);
    labelFont_ = titleFont_;
    labelFont_.setPixelSize(12);
    for (AxisSettings& a : axes_)
        a.grid = false;
    axes_[0].limits = {0.0, 10.0, true, true};
    slots_.resize(2);
    slots_[1].axis = ValueAxis::Y2;
}

void Chart::bindSlot(DataSlot& s, const ChartDataSet* set)
{
    s.set = set;
    s.index = set ? std::make_shared<const SeriesIndex>(*set) : nullptr;
    for (int i = 0; i < kMaxSeries; ++i)
        s.shown[static_cast<std::size_t>(i)] = set && i < set->seriesCount() && set->shown(i);
    changed();
}

void Chart::setDataSet(ValueAxis axis, const ChartDataSet* set) { bindSlot(slot(axis), set); }

const ChartDataSet* Chart::dataSet(ValueAxis axis) const { return slot(axis).set; }

int Chart::addDataSet(ValueAxis axis, const ChartDataSet* set, double xOffset)
{
    DataSlot s;
    s.axis = axis;
    s.xOffset = xOffset;
    s.styles = slot(axis).styles;
    bindSlot(s, set);
    slots_.push_back(std::move(s));
    return dataSetCount() - 1;
}

void Chart::removeAddedDataSets()
{
    slots_.resize(2);
    slots_[0].xOffset = slots_[1].xOffset = 0.0;
    changed();
}

void Chart::setDataSetOffset(int id, double xOffset)
{
    if (!validId(id))
        return;
    slots_[static_cast<std::size_t>(id)].xOffset = xOffset;
    changed();
}

bool Chart::hasReadings() const
{
    for (const DataSlot& slot : slots_)
        if (slot.set)
            for (int s = 0; s < slot.set->seriesCount(); ++s)
                if (slot.set->pointCount(s) > 0)
                    return true;
    return false;
}

int Chart::seriesCountAt(int id) const
{
    const ChartDataSet* set = validId(id) ? slots_[static_cast<std::size_t>(id)].set : nullptr;
    return set ? std::min(set->seriesCount(), kMaxSeries) : 0;
}

bool Chart::seriesShownAt(int id, int series) const
{
    return series >= 0 && series < seriesCountAt(id) &&
           slots_[static_cast<std::size_t>(id)].shown[static_cast<std::size_t>(series)];
}

void Chart::setSeriesShownAt(int id, int series, bool shown)
{
    if (series < 0 || series >= seriesCountAt(id))
        return;
    slots_[static_cast<std::size_t>(id)].shown[static_cast<std::size_t>(series)] = shown;
    changed();
}

SeriesStyle Chart::seriesStyleAt(int id, int series) const
{
    return validId(id) && validSeries(series)
               ? slots_[static_cast<std::size_t>(id)].styles[static_cast<std::size_t>(series)]
               : SeriesStyle{};
}

void Chart::setSeriesStyleAt(int id, int series, const SeriesStyle& style)
{
    if (!validId(id) || !validSeries(series))
        return;
    slots_[static_cast<std::size_t>(id)].styles[static_cast<std::size_t>(series)] = style;
    changed();
}

QString Chart::seriesLabelAt(int id, int series) const
{
    return validId(id) && validSeries(series)
               ? slots_[static_cast<std::size_t>(id)].labels[static_cast<std::size_t>(series)]
               : QString();
}

void Chart::setSeriesLabelAt(int id, int series, const QString& label)
{
    if (!validId(id) || !validSeries(series))
        return;
    slots_[static_cast<std::size_t>(id)].labels[static_cast<std::size_t>(series)] = label;
    changed();
}

int Chart::seriesCount(ValueAxis axis) const { return seriesCountAt(idOf(axis)); }
bool Chart::seriesShown(ValueAxis axis, int series) const { return seriesShownAt(idOf(axis), series); }
void Chart::setSeriesShown(ValueAxis axis, int series, bool shown) { setSeriesShownAt(idOf(axis), series, shown); }
SeriesStyle Chart::seriesStyle(ValueAxis axis, int series) const { return seriesStyleAt(idOf(axis), series); }
void Chart::setSeriesStyle(ValueAxis axis, int series, const SeriesStyle& style)
{
    setSeriesStyleAt(idOf(axis), series, style);
}
QString Chart::seriesLabel(ValueAxis axis, int series) const { return seriesLabelAt(idOf(axis), series); }
void Chart::setSeriesLabel(ValueAxis axis, int series, const QString& label)
{
    setSeriesLabelAt(idOf(axis), series, label);
}

void Chart::setHeader(const QStringList& lines)
{
    header_ = lines;
    changed();
}

void Chart::setFooter(const QStringList& lines)
{
    // The footer's text is drawn over the kept image; only a change in the room it
    // takes changes the rest of the picture.
    if (std::max<qsizetype>(1, lines.size()) != std::max<qsizetype>(1, footer_.size()))
        changed();
    footer_ = lines;
}

void Chart::setFooterSample(const QString& line)
{
    if (line == footerSample_)
        return;
    footerSample_ = line;
    changed();
}

QString Chart::axisTitle(Axis axis) const { return settings(axis).title; }

void Chart::setAxisTitle(Axis axis, const QString& title)
{
    settings(axis).title = title;
    changed();
}

void Chart::setTitleFont(const QFont& font)
{
    titleFont_ = font;
    changed();
}

void Chart::setLabelFont(const QFont& font)
{
    labelFont_ = font;
    labelWidths_.clear();
    changed();
}

int Chart::labelTextWidth(const QString& text) const
{
    const auto kept = labelWidths_.constFind(text);
    if (kept != labelWidths_.cend())
        return *kept;
    return labelWidths_[text] = QFontMetrics(labelFont_).horizontalAdvance(text);
}

void Chart::setBackground(const QColor& colour)
{
    background_ = colour;
    changed();
}

void Chart::setPlotBackground(const QColor& colour)
{
    plotBackground_ = colour;
    changed();
}

void Chart::setForeground(const QColor& colour)
{
    foreground_ = colour;
    changed();
}

void Chart::setLegendShown(bool shown)
{
    legendShown_ = shown;
    changed();
}

std::pair<double, double> Chart::automaticLimits(Axis axis) const
{
    if (axis == Axis::X) {
        // From 0 (or the earliest data set placed before it) to the last reading of any.
        double first = 0.0;
        double last = -1.0;
        for (const DataSlot& s : slots_) {
            if (!s.set || !s.index)
                continue;
            double count = 0.0;
            for (int i = 0; i < s.index->seriesCount(); ++i)
                count = std::max(count, static_cast<double>(s.index->drawnCount(i)));
            if (count <= 0.0)
                continue;
            first = std::min(first, s.xOffset);
            last = std::max(last, s.xOffset + (count - 1.0) * s.set->interval());
        }
        if (last <= first)
            return {first, first + 10.0};
        return {first, last};
    }
    const ValueAxis valueAxis = axis == Axis::Y ? ValueAxis::Y : ValueAxis::Y2;
    ValueExtent extent;
    for (const DataSlot& s : slots_)
        if (s.axis == valueAxis && s.index)
            for (int i = 0; i < std::min(s.index->seriesCount(), kMaxSeries); ++i)
                if (s.shown[static_cast<std::size_t>(i)])
                    extent.add(s.index->extent(i));
    const double minStep = axis == Axis::Y ? valueStep(yDecimals_) : 0.0;
    const AxisLimits l = velmora::automaticLimits(extent, minStep);
    return {l.min, l.max};
}

double Chart::axisMinimum(Axis axis) const
{
    const Limits& l = settings(axis).limits;
    return l.autoMin ? automaticLimits(axis).first : l.min;
}

double Chart::axisMaximum(Axis axis) const
{
    const Limits& l = settings(axis).limits;
    return l.autoMax ? automaticLimits(axis).second : l.max;
}

void Chart::setAxisMinimum(Axis axis, double value)
{
    Limits& l = settings(axis).limits;
    l.min = value;
    l.autoMin = false;
    changed();
}

void Chart::setAxisMaximum(Axis axis, double value)
{
    Limits& l = settings(axis).limits;
    l.max = value;
    l.autoMax = false;
    changed();
}

void Chart::setAxisMinimumAutomatic(Axis axis)
{
    settings(axis).limits.autoMin = true;
    changed();
}

void Chart::setAxisMaximumAutomatic(Axis axis)
{
    settings(axis).limits.autoMax = true;
    changed();
}

bool Chart::axisMinimumIsAutomatic(Axis axis) const { return settings(axis).limits.autoMin; }

bool Chart::axisMaximumIsAutomatic(Axis axis) const { return settings(axis).limits.autoMax; }

void Chart::setYDecimals(int decimals)
{
    // More than six digits after the point would make the value step too fine for
    // a scroll bar to count; no logger writes that many.
    yDecimals_ = std::clamp(decimals, 0, 6);
    changed();
}

void Chart::setTimeBase(std::int64_t seconds)
{
    timeBase_ = seconds;
    changed();
}

std::int64_t Chart::valueToTime(double x) const { return timeBase_ + static_cast<std::int64_t>(std::floor(x)); }

bool Chart::gridShown(Axis axis) const { return settings(axis).grid; }

void Chart::setGridShown(Axis axis, bool shown)
{
    settings(axis).grid = shown;
    changed();
}

double Chart::gridSpacing(Axis axis) const { return settings(axis).gridSpacing; }

void Chart::setGridSpacing(Axis axis, double spacing)
{
    settings(axis).gridSpacing = std::max(0.0, spacing);
    changed();
}

void Chart::setMarkerX(double x) { markerX_ = x; }

void Chart::setMarkerShown(bool shown) { markerShown_ = shown; }

void Chart::setMarkerStyle(const LineStyle& style) { markerStyle_ = style; }

void Chart::setBounds(const QRect& bounds)
{
    if (bounds == bounds_)
        return;
    bounds_ = bounds;
    changed();
}

std::shared_ptr<const ChartLayout> Chart::layoutFor(const QRect& rect) const
{
    if (!layout_ || layoutRevision_ != revision_ || layoutRect_ != rect) {
        layout_ = std::make_shared<const ChartLayout>(computeLayout(*this, rect));
        layoutRevision_ = revision_;
        layoutRect_ = rect;
    }
    return layout_;
}

QRect Chart::plotRect() const { return layoutFor(bounds_)->plot; }

ChartValue Chart::map(QPoint pixel, ValueAxis axis) const
{
    const auto layout = layoutFor(bounds_);
    const QRect& plot = layout->plot;
    if (!plot.contains(pixel))
        return {};
    return {layout->pixelToX(pixel.x()), layout->pixelToValue(pixel.y(), axis)};
}

long Chart::pick(QPoint pixel) const
{
    const DataSlot& s = slots_[0].index ? slots_[0] : slots_[1];
    if (!s.set || !s.index)
        return -1;
    std::size_t count = 0;
    for (int i = 0; i < s.index->seriesCount(); ++i)
        count = std::max(count, s.index->drawnCount(i));
    if (count == 0 || !(s.set->interval() > 0.0))
        return -1;
    const auto layout = layoutFor(bounds_);
    const int px = std::clamp(pixel.x(), layout->plot.left(), layout->plot.right());
    const double index = std::round((layout->pixelToX(px) - s.xOffset) / s.set->interval());
    return static_cast<long>(std::clamp(index, 0.0, static_cast<double>(count - 1)));
}

std::int64_t Chart::pickX(QPoint pixel, double step) const
{
    const double origin = slots_[0].xOffset;
    if (!hasReadings() || !(step > 0.0))
        return std::llround(origin);
    const auto layout = layoutFor(bounds_);
    const int px = std::clamp(pixel.x(), layout->plot.left(), layout->plot.right());
    return std::llround(origin + std::round((layout->pixelToX(px) - origin) / step) * step);
}

const SeriesIndex* Chart::seriesIndex(ValueAxis axis) const { return slot(axis).index.get(); }

void Chart::draw(QPainter& painter, const QRect& rect) const
{
    const auto layout = layoutFor(rect);
    drawChartBody(painter, *this, *layout);
    drawChartFooter(painter, *this, *layout);
    drawChartMarker(painter, *this, *layout);
}

} // namespace velmora
