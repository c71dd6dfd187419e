#include "chart_zoom_control.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>
#include <cstdlib>

#include "chart_scroll_bars.h"
#include "chart_widget.h"
#include "chart_zoom_adapter.h"
#include "graph_strings.h"

namespace velmora {

namespace {

QString text(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

constexpr int kNotch = 120; // a wheel's step, in eighths of a degree

// Whole notches out of `pending` plus `angle`; what is left stays pending.
int takeNotches(int& pending, int angle)
{
    pending += angle;
    const int notches = pending / kNotch;
    pending -= notches * kNotch;
    return notches;
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

QScrollBar* ChartZoomControl::horizontalScrollBar() const { return scroll_->horizontal(); }

QScrollBar* ChartZoomControl::verticalScrollBar() const { return scroll_->vertical(); }

double ChartZoomControl::valueStepNow() const { return valueStep(widget_.chart().yDecimals()); }

void ChartZoomControl::bind(const ZoomLevel& full, std::int64_t interval, std::int64_t totalSeconds)
{
    interval_ = interval;
    totalSeconds_ = totalSeconds;
    session_.bind(full);
    announced_.reset(); // a new document: its range is news even when the numbers match
    applyLevel(0);
}

void ChartZoomControl::announceXRange()
{
    if (holdAnnouncements_)
        return;
    const Chart& c = widget_.chart();
    const std::pair<double, double> range{c.axisMinimum(Axis::X), c.axisMaximum(Axis::X)};
    if (range == announced_)
        return;
    announced_ = range;
    emit xRangeChanged(range.first, range.second);
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
    announceXRange();
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
        widget_.setBand(band ? std::optional<QRect>(
                                   QRect(QPoint(band->start.x, band->start.y), QPoint(band->corner.x, band->corner.y)))
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
    if (!active_) {
        // Nothing loaded: the pointer reads nothing and draws no box.
        const QEvent::Type t = event->type();
        return t == QEvent::MouseMove || t == QEvent::MouseButtonPress || t == QEvent::MouseButtonRelease ||
               t == QEvent::MouseButtonDblClick;
    }
    switch (event->type()) {
    case QEvent::Wheel: wheel(*static_cast<QWheelEvent*>(event)); return true;
    case QEvent::KeyPress: return key(*static_cast<QKeyEvent*>(event));
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
    default: return QObject::eventFilter(watched, event);
    }
}

void ChartZoomControl::zoomOut() { carryOut(session_.zoomOut()); }

void ChartZoomControl::zoomToX(std::int64_t xMin, std::int64_t xMax)
{
    carryOut(session_.zoomToX(xMin, xMax, *zoomChart_));
}

void ChartZoomControl::wheel(const QWheelEvent& event)
{
    const QPoint delta = event.angleDelta();
    const bool tilted = std::abs(delta.x()) > std::abs(delta.y());
    const int angle = tilted ? delta.x() : delta.y();
    if (event.modifiers() & Qt::ControlModifier) {
        const QPoint p = event.position().toPoint();
        const int notches = takeNotches(pendingZoom_, angle);
        holdAnnouncements_ = true; // the levels passed on the way are not worth telling
        for (int n = 0; n < notches; ++n)
            carryOut(session_.zoomInAround({p.x(), p.y()}, *zoomChart_, interval_, valueStepNow()));
        for (int n = 0; n > notches; --n)
            zoomOut();
        holdAnnouncements_ = false;
        announceXRange();
        return;
    }
    // Turning the wheel away from the user goes up, or left; Shift turns it sideways
    // (some systems have done so already and report a tilted wheel).
    const bool sideways = tilted || (event.modifiers() & Qt::ShiftModifier);
    const int notches = takeNotches(sideways ? pendingX_ : pendingY_, angle);
    scrollLines(sideways ? Qt::Horizontal : Qt::Vertical, -notches * QApplication::wheelScrollLines());
}

bool ChartZoomControl::key(const QKeyEvent& event)
{
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    switch (event.key()) {
    case Qt::Key_Minus:
    case Qt::Key_Backspace: zoomOut(); return true;
    case Qt::Key_Left: scrollLines(Qt::Horizontal, -1); return true;
    case Qt::Key_Right: scrollLines(Qt::Horizontal, 1); return true;
    case Qt::Key_Up: scrollLines(Qt::Vertical, -1); return true;
    case Qt::Key_Down: scrollLines(Qt::Vertical, 1); return true;
    default: return false;
    }
}

void ChartZoomControl::scrollLines(Qt::Orientation orientation, int lines)
{
    const bool horizontal = orientation == Qt::Horizontal;
    const bool shown = horizontal ? scroll_->horizontalState().visible : scroll_->verticalState().visible;
    if (session_.level() == 0 || !shown || lines == 0)
        return;
    QScrollBar* bar = horizontal ? scroll_->horizontal() : scroll_->vertical();
    const auto step = lines > 0 ? QAbstractSlider::SliderSingleStepAdd : QAbstractSlider::SliderSingleStepSub;
    for (int n = 0; n < std::abs(lines); ++n)
        bar->triggerAction(step);
}

void ChartZoomControl::endHorizontalScroll(qint64 position)
{
    if (session_.level() == 0)
        return;
    const XRange r = xRangeAfterScroll(position, scroll_->horizontalState().windowWidth, totalSeconds_, interval_);
    Chart& c = widget_.chart();
    c.setAxisMinimum(Axis::X, static_cast<double>(r.min));
    c.setAxisMaximum(Axis::X, static_cast<double>(r.max));
    widget_.update();
    announceXRange();
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
