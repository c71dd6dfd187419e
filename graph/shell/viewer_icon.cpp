#include "viewer_icon.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

#include "qt/painted_icon.h"
#include "qt/program_tile.h"

namespace velmora {

namespace {

QPen line(const QColor& colour, qreal width)
{
    QPen pen(colour, width);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

// In the icon's 100 x 100 units.
void paintViewerIcon(QPainter& p)
{
    const QColor edge(0x5b, 0x6b, 0x7f);
    paintProgramTile(p);

    p.setPen(line(edge, 2));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(16, 22, 68, 56), 4, 4);
    p.setPen(line(QColor(0xd5, 0xdc, 0xe4), 1));
    for (qreal y : {38.0, 50.0, 62.0})
        p.drawLine(QPointF(26, y), QPointF(78, y));
    p.setPen(line(edge, 2));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({QPointF(26, 30), QPointF(26, 70), QPointF(78, 70)}));

    QPen alarm = line(QColor(0xcc, 0x3d, 0x3d), 1.6);
    alarm.setCapStyle(Qt::FlatCap);
    alarm.setDashPattern({3 / 1.6, 2 / 1.6});
    p.setPen(alarm);
    p.drawLine(QPointF(26, 36), QPointF(78, 36));

    QPainterPath humidity(QPointF(26, 64));
    humidity.cubicTo(42, 58, 50, 72, 78, 60);
    p.setPen(line(QColor(0x2f, 0x9e, 0x5b), 2));
    p.drawPath(humidity);

    p.setPen(line(kHouseBlue, 2.6));
    p.drawPolyline(QPolygonF({QPointF(26, 58), QPointF(32.5, 52), QPointF(39, 55), QPointF(45.5, 45), QPointF(52, 42),
                              QPointF(58.5, 48), QPointF(65, 40), QPointF(71.5, 37), QPointF(78, 44)}));
}

} // namespace

QIcon viewerIcon()
{
    return paintedIcon([](QPainter& p, const QRect& r) {
        const qreal side = std::min(r.width(), r.height());
        p.save();
        p.setRenderHint(QPainter::Antialiasing);
        p.translate(r.center().x() - side / 2, r.center().y() - side / 2);
        p.scale(side / 100.0, side / 100.0);
        paintViewerIcon(p);
        p.restore();
    });
}

} // namespace velmora
