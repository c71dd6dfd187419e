#pragma once
// The chart view's mouse, wheel, keys and zoom: it watches the chart widget's input,
// feeds the zoom session and carries out what the session answers (the zoom box
// outline, the zoom stack's levels on the axes, the maximum-zoom footer), keeps the
// scroll bars in step with the level shown and moves the ranges when scrolling ends.
// The pointer readout and the From/To footer belong to the view: the control asks for
// them. Whatever moves the X range (a box, Ctrl+wheel, "-", Backspace, Zoom Out, a
// double-click, a scroll, a new document) says so through xRangeChanged(), once.
//
//   zoomInAction()   "Zoom In": no action of its own, zooming is by dragging a box
//   zoomOutAction()  "Zoom Out": one level out (zoomOut())
//
// On a zoomed chart the wheel scrolls up and down (with Shift, or tilted, sideways)
// and the arrow keys scroll, each step a line of the scroll bar, so the wheel, the
// keys and the bars move the same way. Ctrl+wheel zooms in around the pointer and out
// a level; "-" and Backspace zoom out a level.
#include <QObject>
#include <QPoint>
#include <Qt>
#include <cstdint>
#include <memory>
#include <optional>
#include <utility>

#include "zoom_session.h"

class QAction;
class QKeyEvent;
class QScrollBar;
class QWheelEvent;

namespace velmora {

class ChartScrollBars;
class ChartWidget;
class ChartZoomAdapter;

class ChartZoomControl : public QObject {
    Q_OBJECT
public:
    // Watches `widget`'s mouse; the scroll bars are made for `scrollBarParent`.
    ChartZoomControl(ChartWidget& widget, QWidget* scrollBarParent);
    ~ChartZoomControl() override;

    // A new document: level 0 shows `full` (X 0..total seconds), readings `interval`
    // seconds apart.
    void bind(const ZoomLevel& full, std::int64_t interval, std::int64_t totalSeconds);

    const ZoomSession& session() const { return session_; }
    QAction* zoomInAction() const { return zoomIn_; }
    QAction* zoomOutAction() const { return zoomOut_; }
    QScrollBar* horizontalScrollBar() const;
    QScrollBar* verticalScrollBar() const;

    void zoomOut();
    // One level in showing X from xMin to xMax (see ZoomSession::zoomToX).
    void zoomToX(std::int64_t xMin, std::int64_t xMax);
    // Off while nothing is loaded: the chart's input is then ignored.
    void setActive(bool active) { active_ = active; }

signals:
    // The pointer moved where the readout applies: show the readout for `pixel`.
    void readoutRequested(QPoint pixel);
    // The X range shown changed (or a new document was bound): once for each change,
    // and once for a wheel turn of several notches. Seconds after the start time.
    void xRangeChanged(double xMin, double xMax);
    // The 24th zoom level was asked for: the control has beeped and put up the message.
    void maximumZoomReached();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void applyLevel(int n);
    // Emits xRangeChanged() when the X range differs from the one last told, unless a
    // burst of changes (a wheel turn) is under way.
    void announceXRange();
    void carryOut(const ZoomAction& action);
    void endHorizontalScroll(qint64 position);
    void endVerticalScroll(int value);
    double valueStepNow() const;
    void wheel(const QWheelEvent& event);
    bool key(const QKeyEvent& event);
    // `lines` line steps of a scroll bar (negative: up or left); nothing unless zoomed.
    void scrollLines(Qt::Orientation orientation, int lines);

    ChartWidget& widget_;
    std::unique_ptr<ChartZoomAdapter> zoomChart_;
    ChartScrollBars* scroll_ = nullptr;
    ZoomSession session_;
    std::int64_t interval_ = 1;
    std::int64_t totalSeconds_ = 0;
    QAction* zoomIn_ = nullptr;
    QAction* zoomOut_ = nullptr;
    bool active_ = true;
    std::optional<std::pair<double, double>> announced_; // the X range last told
    bool holdAnnouncements_ = false;
    // Wheel turns not yet a whole notch (fine-grained wheels and touchpads), per use.
    int pendingZoom_ = 0;
    int pendingX_ = 0;
    int pendingY_ = 0;
};

} // namespace velmora
