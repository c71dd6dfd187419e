#include "painted_icon.h"

#include <QIconEngine>
#include <QPainter>
#include <QPixmap>

namespace velmora {

namespace {

class PaintedIconEngine final : public QIconEngine {
public:
    PaintedIconEngine(IconPainter paint, qreal disabledOpacity)
        : paint_(std::move(paint)), disabledOpacity_(disabledOpacity)
    {
    }
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override
    {
        painter->save();
        if (mode == QIcon::Disabled)
            painter->setOpacity(disabledOpacity_);
        paint_(*painter, rect);
        painter->restore();
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return scaledPixmap(size, mode, state, 1.0);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        QPixmap pm(size * scale);
        pm.setDevicePixelRatio(scale);
        pm.fill(Qt::transparent);
        QPainter painter(&pm);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        return pm;
    }
    QIconEngine* clone() const override { return new PaintedIconEngine(paint_, disabledOpacity_); }

private:
    IconPainter paint_;
    qreal disabledOpacity_;
};

} // namespace

QIcon paintedIcon(IconPainter paint, qreal disabledOpacity)
{
    return QIcon(new PaintedIconEngine(std::move(paint), disabledOpacity));
}

} // namespace velmora
