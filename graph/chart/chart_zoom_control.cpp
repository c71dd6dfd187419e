#include "chart_zoom_control.h"

#include <QAction>
#include <QApplication>
#include <QMouseEvent>

#include "chart_scroll_bars.h"
#include "chart_widget.h"
#include "chart_zoom_adapter.h"
#include "graph_strings.h"

namespace velmora {

namespace {

QString text(std::string_view s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

} // namespace

ChartZoomControl::ChartZoomControl(ChartWidget& widget, QWidget* scrollBarParent)
    : QObject(scrollBarParent), widget_(widget), zoomChart_(std::make_unique<ChartZoomAdapter>(widget.chart()))
{
    widget_.installEventFilter(this);
    scroll_ = new ChartScrollBars(scrollBarParent);
    connect(scroll_, &ChartScrollBars::horizontalScrollEnded, this, &ChartZoomControl::endHorizontalScroll);
    connect(scroll_, &ChartScrollBars::verticalScrollEnded, this, &ChartZoomControl::endVerticalScroll);

    zoomIn_ = new QAction(text(graphtext::kZoomIn), this);
    zoomIn_->setStatusTip(text(graphtext::kZoomInPrompt));
    zoomIn_->setToolTip(text(graphtext::kZoomIn));
    zoomOut_ = new QAction(text(graphtext::kZoomOut), this);
    zoomOut_->setStatusTip(text(graphtext::kZoomOutPrompt));
    zoomOut_->setToolTip(text(graphtext::kZoomOutTip));
    connect(zoomOut_, &QAction::triggered, this, &ChartZoomControl::zoomOut);
}

ChartZoomControl::~ChartZoomControl() = default;

QScrollBar* ChartZoomControl::horizontalScrollBar() const
{
    return scroll_->horizontal();
}

QScrollBar* ChartZoomControl::verticalScrollBar() const
{
    return scroll_->vertical();
}

double ChartZoomControl::valueStepNow() const
{
    return valueStep(widget_.chart().yDecimals());
}

void ChartZoomControl::bind(const ZoomLevel& full, std::int64_t interval, std::int64_t totalSeconds)
{
    interval_ = interval;
    totalSeconds_ = totalSeconds;
    session_.bind(full);
    applyLevel(0);
}

void ChartZoomControl::applyLevel(int n)
{
    Chart& c = widget_.chart();
    const ZoomLevel& e = session_.entry(n);
    c.setAxisMinimum(Axis::X, static_cast<double>(e.xMin));
    c.setAxisMaximum(Axis::X, static_cast<double>(e.xMax));
    const bool zoomed = n > 0;

    const AxisBounds y = levelBounds(e.yMin, e.yMax, !zoomed);
    const AxisBounds y2 = levelBounds(e.y2Min, e.y2Max, !zoomed);
    for (const auto& [axis, bounds] : {std::pair{Axis::Y, y}, std::pair{Axis::Y2, y2}}) {
        if (bounds.max)
            c.setAxisMaximum(axis, *bounds.max);
        else
            c.setAxisMaximumAutomatic(axis);
        if (bounds.min)
            c.setAxisMinimum(axis, *bounds.min);
        else
            c.setAxisMinimumAutomatic(axis);
    }

    scroll_->setHorizontal(horizontalScrollFor(e.xMin, e.xMax, totalSeconds_, interval_, zoomed), interval_);
    const double step = valueStepNow();
    const VerticalScroll v = verticalScrollFor(session_.full(), c.axisMinimum(Axis::Y), c.axisMaximum(Axis::Y),
                                               c.axisMinimum(Axis::Y2), c.axisMaximum(Axis::Y2), step, zoomed);
    scroll_->setVertical(v, verticalPageSteps(v, step));
    widget_.update();
    emit xRangeChanged();
}

void ChartZoomControl::carryOut(const ZoomAction& action)
{
    Chart& c = widget_.chart();
    if (action.maximumReached) {
        QApplication::beep();
        c.setFooter({text(graphtext::kMaximumZoom)});
        emit maximumZoomReached();
    }
    if (action.clearFooter)
        c.setFooter({});
    if (action.hideMarker)
        c.setMarkerShown(false);
    if (action.bandChanged) {
        const auto& band = session_.band();
        widget_.setBand(band ? std::optional<QRect>(QRect(QPoint(band->start.x, band->start.y),
                                                          QPoint(band->corner.x, band->corner.y)))
                             : std::nullopt);
    }
    if (action.applyLevel)
        applyLevel(session_.level());
    widget_.update();
}

bool ChartZoomControl::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != &widget_)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseMove: {
        auto* e = static_cast<QMouseEvent*>(event);
        const QPoint p = e->position().toPoint();
        const bool leftDown = e->buttons() & Qt::LeftButton;
        if (session_.readoutOnMove(leftDown))
            emit readoutRequested(p);
        else
            carryOut(session_.move({p.x(), p.y()}, leftDown, *zoomChart_));
        return true;
    }
    case QEvent::MouseButtonPress: {
        auto* e = static_cast<QMouseEvent*>(event);
        if (e->button() == Qt::LeftButton) {
            const QPoint p = e->position().toPoint();
            carryOut(session_.press({p.x(), p.y()}, *zoomChart_, interval_));
        }
        return true;
    }
    case QEvent::MouseButtonRelease: {
        auto* e = static_cast<QMouseEvent*>(event);
        if (e->button() == Qt::LeftButton) {
            const QPoint p = e->position().toPoint();
            const bool stillDown = e->buttons() & Qt::LeftButton;
            carryOut(session_.release({p.x(), p.y()}, stillDown, *zoomChart_, interval_, valueStepNow()));
        }
        return true;
    }
    case QEvent::MouseButtonDblClick: {
        auto* e = static_cast<QMouseEvent*>(event);
        if (e->button() == Qt::LeftButton)
            carryOut(session_.doubleClick());
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}

void ChartZoomControl::zoomOut()
{
    carryOut(session_.zoomOut());
}

void ChartZoomControl::endHorizontalScroll(qint64 position)
{
    if (session_.level() == 0)
        return;
    const XRange r = xRangeAfterScroll(position, scroll_->horizontalState().windowWidth, totalSeconds_, interval_);
    Chart& c = widget_.chart();
    c.setAxisMinimum(Axis::X, static_cast<double>(r.min));
    c.setAxisMaximum(Axis::X, static_cast<double>(r.max));
    emit xRangeScrolled();
    emit xRangeChanged();
}

void ChartZoomControl::endVerticalScroll(int value)
{
    if (session_.level() == 0)
        return;
    const YRanges r = yRangesAfterScroll(value, scroll_->verticalState(), session_.full(), valueStepNow());
    Chart& c = widget_.chart();
    c.setAxisMinimum(Axis::Y, r.yMin);
    c.setAxisMaximum(Axis::Y, r.yMax);
    c.setAxisMinimum(Axis::Y2, r.y2Min);
    c.setAxisMaximum(Axis::Y2, r.y2Max);
    widget_.update();
}

} // namespace velmora
