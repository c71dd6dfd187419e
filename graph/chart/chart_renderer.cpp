#include "chart_renderer.h"

#include <QLineF>
#include <QPaintEngine>
#include <QPainter>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <vector>

#include "chart_layout.h"
#include "column_spans.h"
#include "dash_spans.h"
#include "device_columns.h"
#include "pixel_rect_fill.h"
#include "series_index.h"
#include "series_trace.h"
#include "vector_state.h"

namespace velmora {

namespace {

constexpr int kTick = 5;

void drawPointMarker(QPainter& p, const QPointF& c, PointStyle style, qreal size)
{
    const qreal h = size / 2.0;
    switch (style) {
    case PointStyle::None: return;
    case PointStyle::Dot: p.drawEllipse(c, 1.5, 1.5); return;
    case PointStyle::Circle: p.drawEllipse(c, h, h); return;
    case PointStyle::Box: p.drawRect(QRectF(c.x() - h, c.y() - h, size, size)); return;
    case PointStyle::Triangle: {
        const QPointF t[3] = {{c.x(), c.y() - h}, {c.x() + h, c.y() + h}, {c.x() - h, c.y() + h}};
        p.drawPolygon(t, 3);
        return;
    }
    case PointStyle::Diamond: {
        const QPointF d[4] = {{c.x(), c.y() - h}, {c.x() + h, c.y()}, {c.x(), c.y() + h}, {c.x() - h, c.y()}};
        p.drawPolygon(d, 4);
        return;
    }
    case PointStyle::Cross:
    case PointStyle::Star:
        p.drawLine(QPointF(c.x() - h, c.y() - h), QPointF(c.x() + h, c.y() + h));
        p.drawLine(QPointF(c.x() - h, c.y() + h), QPointF(c.x() + h, c.y() - h));
        if (style == PointStyle::Star) {
            p.drawLine(QPointF(c.x(), c.y() - h), QPointF(c.x(), c.y() + h));
            p.drawLine(QPointF(c.x() - h, c.y()), QPointF(c.x() + h, c.y()));
        }
        return;
    }
}

// Whether `p` paints into pixels at a uniform scale (a widget or an image, at any
// pixel density), and that scale.
bool rasterScale(const QPainter& p, double& scale)
{
    const QTransform t = p.deviceTransform(); // with the device's pixel ratio
    const bool raster = p.paintEngine() && p.paintEngine()->type() == QPaintEngine::Raster &&
                        t.type() <= QTransform::TxScale && t.m11() == t.m22() && t.m11() > 0.0;
    scale = raster ? t.m11() : 1.0;
    return raster;
}

// A line's points on the device's pixel grid (gridOffset), so that alarm levels and
// the columns of a long series stay sharp while slopes are smoothed.
void snapToPixels(QPointF* points, int count, double scale, int deviceWidth)
{
    const double half = gridOffset(deviceWidth);
    for (int i = 0; i < count; ++i)
        points[i] = QPointF((std::floor(points[i].x() * scale) + half) / scale,
                            (std::floor(points[i].y() * scale) + half) / scale);
}

// What drawing the series of a chart reuses from one series to the next.
struct TraceBuffers {
    Trace trace;
    std::vector<QPointF> points;
    std::vector<QLineF> segments;
    std::vector<TracePoint> devicePoints;
    ColumnSpans spans;
    DeviceEnvelope envelope;
    std::vector<double> dashPattern;
};

// A condensed solid trace on pixels, its points already on the device's grid: its
// columns filled as whole-pixel rectangles (column_spans.h), what is left stroked
// antialiased.
void drawColumns(QPainter& p, const QPen& pen, const TracePoint* devicePoints, int count, double scale, int deviceWidth,
                 TraceBuffers& buffers)
{
    columnSpans(devicePoints, static_cast<std::size_t>(count), deviceWidth / 2.0, buffers.spans);
    fillPixelRects(p, pen.color(), buffers.spans.rects.data(), buffers.spans.rects.size(), scale);
    if (buffers.spans.strokes.empty())
        return;
    buffers.segments.clear();
    auto logical = [&](std::size_t k) { return QPointF(devicePoints[k].x / scale, devicePoints[k].y / scale); };
    for (std::size_t k : buffers.spans.strokes)
        buffers.segments.emplace_back(logical(k), logical(k + 1));
    p.setPen(pen);
    p.drawLines(buffers.segments.data(), static_cast<int>(buffers.segments.size()));
}

// Whether a trace is drawn as filled columns: condensed, solid and opaque, on pixels.
bool drawnAsColumns(const QPen& pen, bool condensed, bool raster)
{
    return raster && condensed && pen.style() == Qt::SolidLine && pen.color().alpha() == 255;
}

int deviceWidthOf(const QPen& pen, double scale)
{
    return std::max(1, static_cast<int>(std::lround(pen.widthF() * scale)));
}

// A dashed level line (two points, one row) filled as its dashes' pixels, when they
// cover whole device pixels (dash_spans.h); false, with nothing drawn, otherwise.
// Only a line that ends within a pixel of the clip (the plot): the painter dashes a
// line reaching far outside it from where it enters, not from its end.
bool fillDashedLevel(QPainter& p, const QPen& pen, const QPointF* points, double scale, int deviceWidth,
                     TraceBuffers& buffers)
{
    const QRectF near = p.clipBoundingRect().adjusted(-1.0, 0.0, 1.0, 0.0);
    if (!p.hasClipping() || points[0].x() < near.left() || points[0].x() > near.right() ||
        points[1].x() < near.left() || points[1].x() > near.right())
        return false;
    std::vector<double>& pattern = buffers.dashPattern;
    pattern.clear();
    for (qreal length : pen.dashPattern())
        pattern.push_back(length * pen.widthF() * scale);
    buffers.spans.clear();
    if (pen.dashOffset() != 0.0 || !dashSpans(points[0].x() * scale, points[1].x() * scale, points[0].y() * scale,
                                              deviceWidth / 2.0, pattern, buffers.spans.rects))
        return false;
    fillPixelRects(p, pen.color(), buffers.spans.rects.data(), buffers.spans.rects.size(), scale);
    return true;
}

// Draws a trace antialiased. Qt strokes a polyline with a wide pen by outlining the
// whole line, which costs tens of milliseconds on a jagged trace of a few thousand
// points; a set of separate segments with flat or square caps it rasterises one by one,
// a hundred times faster, antialiased alike. So on a raster device the polyline goes
// as its segments: square caps on a solid line close the joints between them, dashes
// keep flat caps so their lengths stay as drawn. A condensed solid trace goes as
// filled columns, faster still. Printers get the polyline itself.
void drawTrace(QPainter& p, const QPen& pen, QPointF* points, int count, bool condensed, TraceBuffers& buffers)
{
    double scale = 1.0;
    if (!rasterScale(p, scale)) {
        p.setPen(pen);
        p.drawPolyline(points, count);
        return;
    }
    const int deviceWidth = deviceWidthOf(pen, scale);
    snapToPixels(points, count, scale, deviceWidth);
    QPen segmentPen = pen;
    if (pen.style() == Qt::SolidLine)
        segmentPen.setCapStyle(Qt::SquareCap);
    if (drawnAsColumns(pen, condensed, true)) {
        buffers.devicePoints.resize(static_cast<std::size_t>(count));
        for (int i = 0; i < count; ++i)
            buffers.devicePoints[static_cast<std::size_t>(i)] = {points[i].x() * scale, points[i].y() * scale};
        drawColumns(p, segmentPen, buffers.devicePoints.data(), count, scale, deviceWidth, buffers);
        return;
    }
    if (count == 2 && pen.style() != Qt::SolidLine && pen.color().alpha() == 255 && points[0].y() == points[1].y() &&
        fillDashedLevel(p, pen, points, scale, deviceWidth, buffers))
        return;
    p.setPen(segmentPen);
    std::vector<QLineF>& segments = buffers.segments;
    segments.clear();
    for (int i = 1; i < count; ++i)
        segments.emplace_back(points[i - 1], points[i]);
    p.drawLines(segments.data(), static_cast<int>(segments.size()));
}

// A reading with gaps on both sides: a dot the width of the line.
void drawDot(QPainter& p, const SeriesStyle& style, const QPointF& at)
{
    QPen dot(style.lineColour, std::max(2, style.lineWidth + 1));
    dot.setCapStyle(Qt::SquareCap);
    p.setPen(dot);
    p.drawPoint(at);
}

// The common case of a long series, drawn straight from its trace: every point goes
// onto the device's grid once, with no logical copy of the trace in between (a frame of
// twenty files has some seventy thousand such points).
void drawTraceColumns(QPainter& p, const QPen& pen, const SeriesStyle& style, double scale, TraceBuffers& buffers)
{
    const Trace& trace = buffers.trace;
    QPen columnPen = pen;
    columnPen.setCapStyle(Qt::SquareCap);
    const int deviceWidth = deviceWidthOf(pen, scale);
    const double half = gridOffset(deviceWidth);
    std::vector<TracePoint>& device = buffers.devicePoints;
    device.resize(trace.points.size());
    if (scale == 1.0) {
        // A condensed trace's x is a whole column already.
        for (std::size_t i = 0; i < device.size(); ++i)
            device[i] = {trace.points[i].x + half, std::floor(trace.points[i].y) + half};
    } else {
        for (std::size_t i = 0; i < device.size(); ++i)
            device[i] = {std::floor(trace.points[i].x * scale) + half, std::floor(trace.points[i].y * scale) + half};
    }
    std::size_t start = 0;
    for (std::size_t end : trace.runEnds) {
        const int n = static_cast<int>(end - start);
        if (n == 1)
            drawDot(p, style, QPointF(trace.points[start].x, trace.points[start].y));
        else
            drawColumns(p, columnPen, device.data() + start, n, scale, deviceWidth, buffers);
        start = end;
    }
}

// Whether the painter's device pixels lie on whole pixels of its device: a
// translation by a fraction of a pixel would put every filled edge inside a pixel.
bool wholeTranslation(const QPainter& p)
{
    const QTransform t = p.deviceTransform();
    return t.dx() == std::floor(t.dx()) && t.dy() == std::floor(t.dy());
}

// A long solid series straight from its column envelope, worked out per device pixel
// column (device_columns.h); false, with nothing drawn, when that cannot be exact.
bool drawEnvelope(QPainter& p, const QPen& pen, const SeriesStyle& style, double scale, const double* values,
                  std::size_t count, const MinMaxPyramid& pyramid, const TraceMapping& map, TraceBuffers& buffers)
{
    if ((scale != 1.0 && !wholeTranslation(p)) ||
        !deviceEnvelopeSpans(values, count, pyramid, map, scale, pen.widthF(), buffers.envelope))
        return false;
    const EnvelopeSpans& spans = buffers.envelope.spans;
    std::size_t filled = 0;
    for (const auto& [before, at] : spans.dots) {
        fillPixelRects(p, pen.color(), spans.rects.data() + filled, before - filled, scale);
        drawDot(p, style, QPointF(at.x / scale, at.y / scale));
        filled = before;
    }
    fillPixelRects(p, pen.color(), spans.rects.data() + filled, spans.rects.size() - filled, scale);
    return true;
}

void drawSeries(QPainter& p, const Chart& chart, const ChartLayout& l, int id, int s, TraceBuffers& buffers)
{
    clearUpperVectorState(); // after the painter's drawing, before ours (vector_state.h)
    const ChartDataSet* set = chart.dataSetAt(id);
    const SeriesIndex* index = chart.seriesIndexAt(id);
    const ValueAxis axis = chart.dataSetAxis(id);
    if (!set || !index || s >= index->seriesCount() || index->drawnCount(s) == 0)
        return;
    const double sx = (l.plot.right() - l.plot.left()) / (l.xMax - l.xMin);
    const int a = axis == ValueAxis::Y ? 0 : 1;
    const double sy = (l.plot.bottom() - l.plot.top()) / (l.valueMax[a] - l.valueMin[a]);
    TraceMapping map;
    map.x0 = l.plot.left() + (chart.dataSetOffset(id) - l.xMin) * sx;
    map.dx = set->interval() * sx;
    map.y0 = l.plot.bottom() + l.valueMin[a] * sy;
    map.dy = -sy;
    map.left = l.plot.left();
    map.right = l.plot.right();
    const SeriesStyle style = chart.seriesStyleAt(id, s);
    const QPen pen = penFor(style.line());
    double scale = 1.0;
    const bool raster = rasterScale(p, scale);
    const double* values = set->values(s).data();
    if (style.pointStyle == PointStyle::None && drawnAsColumns(pen, true, raster) &&
        drawEnvelope(p, pen, style, scale, values, index->drawnCount(s), index->pyramid(s), map, buffers))
        return;
    Trace& trace = buffers.trace;
    traceSeries(values, index->drawnCount(s), index->pyramid(s), map, trace);
    if (style.pointStyle == PointStyle::None && drawnAsColumns(pen, trace.condensed, raster)) {
        drawTraceColumns(p, pen, style, scale, buffers);
        return;
    }

    // Markers are drawn where the line's points end up, so the line goes through them.
    std::vector<QPointF>& points = buffers.points;
    points.resize(trace.points.size());
    for (std::size_t i = 0; i < points.size(); ++i)
        points[i] = QPointF(trace.points[i].x, trace.points[i].y);
    std::size_t start = 0;
    for (std::size_t end : trace.runEnds) {
        const int n = static_cast<int>(end - start);
        if (n == 1)
            drawDot(p, style, points[start]);
        else if (pen.style() != Qt::NoPen)
            drawTrace(p, pen, points.data() + start, n, trace.condensed, buffers);
        start = end;
    }
    if (style.pointStyle != PointStyle::None) {
        p.setPen(QPen(style.pointColour, 1));
        p.setBrush(style.pointColour);
        for (const QPointF& c : points)
            drawPointMarker(p, c, style.pointStyle, style.pointSize);
        p.setBrush(Qt::NoBrush);
    }
}

void drawLegend(QPainter& p, const Chart& chart, const ChartLayout& l)
{
    p.setFont(chart.labelFont());
    for (const LegendEntry& e : l.legend) {
        const SeriesStyle style = chart.seriesStyleAt(e.set, e.series);
        const int y = e.sample.center().y();
        p.setPen(penFor(style.line()));
        p.drawLine(e.sample.left(), y, e.sample.right(), y);
        if (style.pointStyle != PointStyle::None) {
            p.setPen(QPen(style.pointColour, 1));
            p.setBrush(style.pointColour);
            drawPointMarker(p, QPointF(e.sample.center().x(), y), style.pointStyle, style.pointSize);
            p.setBrush(Qt::NoBrush);
        }
        p.setPen(chart.foreground());
        p.drawText(e.text, Qt::AlignLeft | Qt::AlignVCenter, chart.seriesLabelAt(e.set, e.series));
    }
}

void drawAxes(QPainter& p, const Chart& chart, const ChartLayout& l)
{
    const QRect& plot = l.plot;
    p.setPen(QPen(chart.foreground(), 1));
    p.setFont(chart.labelFont());
    const int lineHeight = p.fontMetrics().height();
    for (const AxisTick& t : l.yTicks) {
        p.drawLine(plot.left() - kTick, t.pixel, plot.left(), t.pixel);
        p.drawText(
            QRect(l.bounds.left(), t.pixel - lineHeight, plot.left() - kTick - 3 - l.bounds.left(), 2 * lineHeight),
            Qt::AlignRight | Qt::AlignVCenter, t.label);
    }
    for (const AxisTick& t : l.y2Ticks) {
        p.drawLine(plot.right(), t.pixel, plot.right() + kTick, t.pixel);
        p.drawText(
            QRect(plot.right() + kTick + 3, t.pixel - lineHeight, l.bounds.right() - plot.right(), 2 * lineHeight),
            Qt::AlignLeft | Qt::AlignVCenter, t.label);
    }
    for (const AxisTick& t : l.xTicks) {
        if (t.pixel < plot.left() || t.pixel > plot.right())
            continue;
        p.drawLine(t.pixel, plot.bottom(), t.pixel, plot.bottom() + kTick);
        const QRect first(t.pixel - 60, plot.bottom() + kTick + 1, 120, lineHeight);
        p.drawText(first, Qt::AlignHCenter | Qt::AlignTop, t.label);
        if (!t.secondLine.isEmpty())
            p.drawText(first.translated(0, lineHeight), Qt::AlignHCenter | Qt::AlignTop, t.secondLine);
    }
    p.setFont(chart.titleFont());
    p.drawText(l.yTitle, Qt::AlignLeft | Qt::AlignVCenter, chart.axisTitle(Axis::Y));
    if (l.showY2Axis)
        p.drawText(l.y2Title, Qt::AlignRight | Qt::AlignVCenter, chart.axisTitle(Axis::Y2));
}

void drawGrid(QPainter& p, const ChartLayout& l)
{
    const QRect& plot = l.plot;
    QPen grid(QColor(190, 190, 190), 1, Qt::DotLine);
    p.setPen(grid);
    for (int x : l.xGrid)
        if (x > plot.left() && x < plot.right())
            p.drawLine(x, plot.top(), x, plot.bottom());
    for (int y : l.yGrid)
        if (y > plot.top() && y < plot.bottom())
            p.drawLine(plot.left(), y, plot.right(), y);
    grid.setColor(QColor(215, 215, 235));
    grid.setStyle(Qt::DashLine);
    p.setPen(grid);
    for (int y : l.y2Grid)
        if (y > plot.top() && y < plot.bottom())
            p.drawLine(plot.left(), y, plot.right(), y);
}

} // namespace

void drawChartBody(QPainter& p, const Chart& chart, const ChartLayout& l)
{
    p.save();
    p.fillRect(l.bounds, chart.background());
    if (!chart.hasReadings()) {
        p.restore();
        return;
    }
    p.setRenderHint(QPainter::TextAntialiasing, true);

    p.setPen(chart.foreground());
    p.setFont(chart.titleFont());
    const int titleHeight = p.fontMetrics().height();
    QRect line(l.header.left(), l.header.top(), l.header.width(), titleHeight);
    for (const QString& text : chart.header()) {
        p.drawText(line, Qt::AlignHCenter | Qt::AlignVCenter, text);
        line.translate(0, titleHeight);
    }

    if (chart.plotBackground() != chart.background())
        p.fillRect(l.plot, chart.plotBackground());
    drawGrid(p, l);

    // Series inside the plot only, antialiased: the right axis' data first, so the
    // first channel is on top, and the first file over the others; within a data set
    // the alarm lines under the values.
    p.save();
    p.setClipRect(l.plot);
    p.setRenderHint(QPainter::Antialiasing, true);
    TraceBuffers buffers;
    for (ValueAxis axis : {ValueAxis::Y2, ValueAxis::Y})
        for (int id = chart.dataSetCount() - 1; id >= 0; --id)
            if (chart.dataSetAxis(id) == axis)
                for (int s : {1, 2, 3, 0})
                    if (chart.seriesShownAt(id, s))
                        drawSeries(p, chart, l, id, s, buffers);
    p.restore();

    p.setPen(QPen(chart.foreground(), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(l.plot.left(), l.plot.top(), l.plot.width() - 1, l.plot.height() - 1));
    drawAxes(p, chart, l);
    drawLegend(p, chart, l);
    p.restore();
}

void drawChartFooter(QPainter& p, const Chart& chart, const ChartLayout& l)
{
    if (!chart.hasReadings())
        return;
    p.save();
    p.setPen(chart.foreground());
    p.setFont(chart.titleFont());
    const QFontMetrics metrics = p.fontMetrics();
    const int height = metrics.height();
    QRect line(l.footer.left(), l.footer.top(), l.footer.width(), height);
    for (const QString& text : fitFooterLines(chart.footer(), metrics, l.footer.width(), l.footer.height() / height)) {
        p.drawText(line, Qt::AlignHCenter | Qt::AlignVCenter, text);
        line.translate(0, height);
    }
    p.restore();
}

void drawChartMarker(QPainter& p, const Chart& chart, const ChartLayout& l)
{
    const double x = chart.markerX();
    if (!chart.hasReadings() || !chart.markerShown() || x >= ChartDataSet::kGap || x < l.xMin || x > l.xMax)
        return;
    p.save();
    p.setClipRect(l.plot);
    p.setPen(penFor(chart.markerStyle()));
    const int px = static_cast<int>(std::lround(l.xToPixel(x)));
    p.drawLine(px, l.plot.top(), px, l.plot.bottom());
    p.restore();
}

} // namespace velmora
