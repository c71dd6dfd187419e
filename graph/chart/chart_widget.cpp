#include "chart_widget.h"

#include <QPaintEvent>
#include <QPainter>

#include "chart_layout.h"
#include "chart_renderer.h"

namespace velmora {

ChartWidget::ChartWidget(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus); // the arrow keys and "-" work on the chart
    chart_.setBounds(rect());
}

void ChartWidget::setBand(const std::optional<QRect>& band)
{
    if (band == band_)
        return;
    band_ = band;
    update();
}

void ChartWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    chart_.setBounds(rect());
    emit resized();
}

void ChartWidget::paintEvent(QPaintEvent*)
{
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * ratio).toSize();
    const auto layout = chart_.layoutFor(rect());
    if (body_.size() != pixels || bodyRevision_ != chart_.revision()) {
        body_ = QImage(pixels, QImage::Format_RGB32);
        body_.setDevicePixelRatio(ratio);
        QPainter p(&body_);
        drawChartBody(p, chart_, *layout);
        bodyRevision_ = chart_.revision();
    }
    QPainter p(this);
    p.drawImage(0, 0, body_);
    drawChartFooter(p, chart_, *layout);
    drawChartMarker(p, chart_, *layout);
    if (band_) {
        // Inverting what lies under it keeps the outline visible on any colour.
        p.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(band_->normalized());
    }
}

} // namespace velmora
