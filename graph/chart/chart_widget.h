#pragma once
// A widget that shows a Chart filling it. The chart's body is kept as an image and
// redrawn only when it changes; the footer text, the marker line and a zoom box's
// outline are drawn over it on every paint, so following the pointer stays cheap
// however many readings there are.
#include <QImage>
#include <QWidget>
#include <optional>

#include "chart.h"

namespace velmora {

class ChartWidget : public QWidget {
    Q_OBJECT
public:
    explicit ChartWidget(QWidget* parent = nullptr);

    Chart& chart() { return chart_; }
    const Chart& chart() const { return chart_; }

    // The zoom box outline, drawn inverted over the chart (none: no box).
    void setBand(const std::optional<QRect>& band);
    std::optional<QRect> band() const { return band_; }

signals:
    void resized(); // the chart's bounds, and so its plot rectangle, changed

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    Chart chart_;
    QImage body_;
    std::uint64_t bodyRevision_ = 0;
    std::optional<QRect> band_;
};

} // namespace velmora
