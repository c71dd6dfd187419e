#pragma once
// The chart view's two scroll bars. Lines are refused rather than cut short at the
// ends, pages stop at the ends, and the thumb moves the chart only when it is let go;
// when scrolling ends the bar reports the new position. Horizontal positions are
// seconds (the X minimum), vertical positions value steps down from the top.
#include <QObject>
#include <cstdint>

#include "scroll_math.h"

class QScrollBar;
class QWidget;

namespace velmora {

class ChartScrollBars : public QObject {
    Q_OBJECT
public:
    explicit ChartScrollBars(QWidget* parent);

    QScrollBar* horizontal() const { return h_; }
    QScrollBar* vertical() const { return v_; }

    // Range, steps, thumb and visibility; `interval` is one line, the window's width a page.
    void setHorizontal(const HorizontalScroll& scroll, std::int64_t interval);
    // One line is a step, a page `pageSteps`.
    void setVertical(const VerticalScroll& scroll, std::int64_t pageSteps);

    const HorizontalScroll& horizontalState() const { return hState_; }
    const VerticalScroll& verticalState() const { return vState_; }

signals:
    void horizontalScrollEnded(qint64 position);
    void verticalScrollEnded(int position);

private:
    void horizontalAction(int action);
    void verticalAction(int action);

    QScrollBar* h_;
    QScrollBar* v_;
    HorizontalScroll hState_;
    std::int64_t interval_ = 1;
    std::int64_t hUnit_ = 1; // seconds a scroll bar unit: readings when seconds would not fit an int
    VerticalScroll vState_;
    std::int64_t pageSteps_ = 1;
};

} // namespace velmora
