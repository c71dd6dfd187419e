#include "chart_scroll_bars.h"

#include <QScrollBar>
#include <QSignalBlocker>
#include <algorithm>
#include <climits>

namespace velmora {

ChartScrollBars::ChartScrollBars(QWidget* parent)
    : QObject(parent), h_(new QScrollBar(Qt::Horizontal, parent)), v_(new QScrollBar(Qt::Vertical, parent))
{
    for (QScrollBar* bar : {h_, v_}) {
        bar->setTracking(false);
        bar->hide();
    }
    connect(h_, &QScrollBar::actionTriggered, this, &ChartScrollBars::horizontalAction);
    connect(v_, &QScrollBar::actionTriggered, this, &ChartScrollBars::verticalAction);
    connect(h_, &QScrollBar::valueChanged, this,
            [this](int value) { emit horizontalScrollEnded(static_cast<qint64>(value) * hUnit_); });
    connect(v_, &QScrollBar::valueChanged, this, &ChartScrollBars::verticalScrollEnded);
}

void ChartScrollBars::setHorizontal(const HorizontalScroll& scroll, std::int64_t interval)
{
    hState_ = scroll;
    interval_ = std::max<std::int64_t>(1, interval);
    hUnit_ = scroll.maximum > INT_MAX / 2 ? interval_ : 1;
    const QSignalBlocker block(h_);
    h_->setRange(0, static_cast<int>(scroll.maximum / hUnit_));
    h_->setSingleStep(static_cast<int>(std::max<std::int64_t>(1, interval_ / hUnit_)));
    h_->setPageStep(static_cast<int>(std::clamp<std::int64_t>(scroll.windowWidth / hUnit_, 1, INT_MAX)));
    h_->setValue(static_cast<int>(scroll.position / hUnit_));
    h_->setVisible(scroll.visible);
}

void ChartScrollBars::setVertical(const VerticalScroll& scroll, std::int64_t pageSteps)
{
    vState_ = scroll;
    pageSteps_ = std::clamp<std::int64_t>(pageSteps, 1, INT_MAX);
    const QSignalBlocker block(v_);
    v_->setRange(0, scroll.maximum);
    v_->setSingleStep(1);
    v_->setPageStep(static_cast<int>(pageSteps_));
    v_->setValue(scroll.position);
    v_->setVisible(scroll.visible);
}

// Qt has moved the slider by its own rule when this runs; the slider position set
// here replaces it before the value changes.
void ChartScrollBars::horizontalAction(int action)
{
    const std::int64_t pos = static_cast<std::int64_t>(h_->value()) * hUnit_;
    const std::int64_t max = hState_.maximum;
    std::int64_t next = pos;
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd: next = scrollByLine(pos, interval_, max); break;
    case QAbstractSlider::SliderSingleStepSub: next = scrollByLine(pos, -interval_, max); break;
    case QAbstractSlider::SliderPageStepAdd: next = scrollByPage(pos, hState_.windowWidth, max); break;
    case QAbstractSlider::SliderPageStepSub: next = scrollByPage(pos, -hState_.windowWidth, max); break;
    default: return; // the thumb and the jumps to the ends go as the scroll bar does them
    }
    h_->setSliderPosition(static_cast<int>(next / hUnit_));
}

void ChartScrollBars::verticalAction(int action)
{
    const std::int64_t pos = v_->value();
    const std::int64_t max = vState_.maximum;
    std::int64_t next = pos;
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd: next = scrollByLine(pos, 1, max); break;
    case QAbstractSlider::SliderSingleStepSub: next = scrollByLine(pos, -1, max); break;
    case QAbstractSlider::SliderPageStepAdd: next = scrollByPage(pos, pageSteps_, max); break;
    case QAbstractSlider::SliderPageStepSub: next = scrollByPage(pos, -pageSteps_, max); break;
    default: return;
    }
    v_->setSliderPosition(static_cast<int>(next));
}

} // namespace velmora
