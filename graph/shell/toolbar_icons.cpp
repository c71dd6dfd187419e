#include "toolbar_icons.h"

#include "qt/painted_icon.h"

#include <QPainter>
#include <QPainterPath>

namespace velmora {

namespace {

const QColor kInk(40, 40, 40);

QPen ink(qreal width, const QColor& colour = kInk)
{
    QPen pen(colour, width);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

void folder(QPainter& p)
{
    QPainterPath back;
    back.moveTo(1.5, 3.5);
    back.lineTo(6, 3.5);
    back.lineTo(7.5, 5);
    back.lineTo(13.5, 5);
    back.lineTo(13.5, 13.5);
    back.lineTo(1.5, 13.5);
    back.closeSubpath();
    p.setPen(ink(1, QColor(150, 110, 20)));
    p.setBrush(QColor(240, 200, 90));
    p.drawPath(back);
    QPainterPath front;
    front.moveTo(1.5, 13.5);
    front.lineTo(4, 7.5);
    front.lineTo(15, 7.5);
    front.lineTo(13.5, 13.5);
    front.closeSubpath();
    p.setBrush(QColor(252, 226, 130));
    p.drawPath(front);
}

void magnifier(QPainter& p, bool plus)
{
    p.setPen(ink(1.2));
    p.setBrush(QColor(220, 236, 255));
    p.drawEllipse(QPointF(6.5, 6.5), 4.8, 4.8);
    p.setPen(ink(2.6, QColor(90, 60, 30)));
    p.drawLine(QPointF(10.2, 10.2), QPointF(14.5, 14.5));
    p.setPen(ink(1.5));
    p.drawLine(QPointF(4, 6.5), QPointF(9, 6.5));
    if (plus)
        p.drawLine(QPointF(6.5, 4), QPointF(6.5, 9));
}

void spreadsheet(QPainter& p)
{
    p.setPen(ink(1, QColor(20, 100, 50)));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(3.5, 1.5, 11, 13));
    for (qreal y = 5; y < 14; y += 3)
        p.drawLine(QPointF(3.5, y), QPointF(14.5, y));
    p.drawLine(QPointF(9, 1.5), QPointF(9, 14.5));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 120, 60));
    p.drawRect(QRectF(0.5, 4.5, 8, 8));
    p.setPen(ink(1.5, Qt::white));
    p.drawLine(QPointF(2.5, 6.5), QPointF(6.5, 10.5));
    p.drawLine(QPointF(6.5, 6.5), QPointF(2.5, 10.5));
}

void printer(QPainter& p)
{
    p.setPen(ink(1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4.5, 1.5, 7, 5));
    p.setBrush(QColor(170, 170, 170));
    p.drawRoundedRect(QRectF(1.5, 6.5, 13, 5.5), 1, 1);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4.5, 10, 7, 4.5));
    p.setPen(ink(0.8, QColor(120, 120, 120)));
    p.drawLine(QPointF(6, 12), QPointF(10, 12));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 180, 60));
    p.drawEllipse(QPointF(12.5, 8.3), 0.8, 0.8);
}

void questionMark(QPainter& p, const QRectF& box)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(11);
    p.setFont(font);
    p.drawText(box, Qt::AlignCenter, QStringLiteral("?"));
}

void about(QPainter& p)
{
    p.setPen(ink(1, QColor(30, 70, 150)));
    p.setBrush(QColor(60, 110, 200));
    QPainterPath bubble;
    bubble.addRoundedRect(QRectF(1.5, 1.5, 13, 10), 3, 3);
    bubble.moveTo(4, 11.5);
    bubble.lineTo(3, 15);
    bubble.lineTo(8, 11.5);
    p.drawPath(bubble.simplified());
    p.setPen(Qt::white);
    questionMark(p, QRectF(1.5, 1.5, 13, 10));
}

void helpBook(QPainter& p)
{
    p.setPen(ink(1, QColor(120, 30, 30)));
    p.setBrush(QColor(190, 50, 50));
    p.drawRoundedRect(QRectF(2.5, 1.5, 11, 13), 1, 1);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(245, 240, 225));
    p.drawRect(QRectF(4, 12, 9, 1.8));
    p.setPen(Qt::white);
    questionMark(p, QRectF(2.5, 1, 11, 11));
}

void closeGraph(QPainter& p)
{
    p.setPen(ink(1, QColor(90, 60, 30)));
    p.setBrush(QColor(160, 110, 60));
    p.drawRect(QRectF(2.5, 1.5, 7, 13));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(240, 220, 120));
    p.drawEllipse(QPointF(8, 8.5), 0.8, 0.8);
    p.setPen(ink(1.6, QColor(200, 30, 30)));
    p.drawLine(QPointF(9.5, 8), QPointF(15, 8));
    p.drawLine(QPointF(12.5, 5.5), QPointF(15, 8));
    p.drawLine(QPointF(12.5, 10.5), QPointF(15, 8));
}

void paintIcon(QPainter& p, const QRectF& rect, ToolbarIcon which)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(rect.topLeft());
    p.scale(rect.width() / 16.0, rect.height() / 16.0);
    switch (which) {
    case ToolbarIcon::Open: folder(p); break;
    case ToolbarIcon::ZoomIn: magnifier(p, true); break;
    case ToolbarIcon::ZoomOut: magnifier(p, false); break;
    case ToolbarIcon::ExportToExcel: spreadsheet(p); break;
    case ToolbarIcon::Print: printer(p); break;
    case ToolbarIcon::About: about(p); break;
    case ToolbarIcon::HelpTopics: helpBook(p); break;
    case ToolbarIcon::CloseGraph: closeGraph(p); break;
    }
    p.restore();
}

} // namespace

QIcon toolbarIcon(ToolbarIcon which)
{
    return paintedIcon([which](QPainter& p, const QRect& r) { paintIcon(p, r, which); }, 0.35);
}

} // namespace velmora
