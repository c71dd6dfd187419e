#include "artwork.h"

#include "qt/painted_icon.h"
#include "qt/program_tile.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace velmora {

namespace {
// One palette for every picture, so the pages look of a piece.
const QColor kNavy = kHouseNavy;
const QColor kBlue = kHouseBlue;
const QColor kSky(0x9c, 0xc7, 0xef);
const QColor kBody(0xf4, 0xf6, 0xf9);
const QColor kBodyEdge(0x5b, 0x6b, 0x7f);
const QColor kMetal(0xb8, 0xc0, 0xca);
const QColor kGreen(0x2f, 0x9e, 0x5b);
const QColor kRed(0xcc, 0x3d, 0x3d);
const QColor kAmber(0xe8, 0x9f, 0x2a);

// Every picture is drawn in a 100 x 100 box, scaled and centred into its rectangle.
class Box {
public:
    Box(QPainter& p, const QRectF& r) : p_(p)
    {
        const qreal side = std::min(r.width(), r.height());
        p_.save();
        p_.translate(r.center().x() - side / 2, r.center().y() - side / 2);
        p_.scale(side / 100.0, side / 100.0);
        p_.setRenderHint(QPainter::Antialiasing);
    }
    ~Box() { p_.restore(); }

private:
    QPainter& p_;
};

QPen pen(const QColor& c, qreal width)
{
    QPen p(c, width);
    p.setJoinStyle(Qt::RoundJoin);
    p.setCapStyle(Qt::RoundCap);
    return p;
}

// A logger: a rounded body with a USB plug on top, a label band, a small display
// with a trace on it and a status light. `r` is the body's rectangle.
void drawLogger(QPainter& p, const QRectF& r)
{
    const qreal w = r.width();
    const QRectF plug(r.center().x() - w * 0.28, r.top() - w * 0.36, w * 0.56, w * 0.40);
    p.setPen(pen(kBodyEdge, 2));
    p.setBrush(kMetal);
    p.drawRoundedRect(plug, 2, 2);
    p.setBrush(kBodyEdge);
    p.setPen(Qt::NoPen);
    const qreal hole = w * 0.12;
    p.drawRect(QRectF(plug.left() + w * 0.10, plug.top() + w * 0.10, hole, hole));
    p.drawRect(QRectF(plug.right() - w * 0.10 - hole, plug.top() + w * 0.10, hole, hole));

    QLinearGradient shade(r.topLeft(), r.topRight());
    shade.setColorAt(0, kBody);
    shade.setColorAt(1, kBody.darker(108));
    p.setPen(pen(kBodyEdge, 2.2));
    p.setBrush(shade);
    p.drawRoundedRect(r, w * 0.18, w * 0.18);

    const QRectF band(r.left() + 1.1, r.top() + r.height() * 0.62, r.width() - 2.2, r.height() * 0.16);
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    p.drawRect(band);

    const QRectF screen(r.left() + w * 0.16, r.top() + r.height() * 0.12, w * 0.68, r.height() * 0.38);
    p.setPen(pen(kBodyEdge, 1.4));
    p.setBrush(QColor(0xdf, 0xec, 0xd9));
    p.drawRoundedRect(screen, 2, 2);
    QPainterPath trace;
    const qreal sx = screen.left() + 2, sw = screen.width() - 4, sy = screen.center().y();
    trace.moveTo(sx, sy + screen.height() * 0.15);
    trace.cubicTo(sx + sw * 0.3, sy - screen.height() * 0.45, sx + sw * 0.55, sy + screen.height() * 0.40, sx + sw,
                  sy - screen.height() * 0.20);
    p.setPen(pen(kNavy, 1.8));
    p.setBrush(Qt::NoBrush);
    p.drawPath(trace);

    p.setPen(Qt::NoPen);
    p.setBrush(kGreen);
    p.drawEllipse(QPointF(r.center().x(), r.top() + r.height() * 0.88), w * 0.06, w * 0.06);
}

void drawBadge(QPainter& p, const QPointF& centre, qreal radius, const QColor& colour)
{
    p.setPen(pen(Qt::white, 3));
    p.setBrush(colour);
    p.drawEllipse(centre, radius, radius);
}

void drawSetUp(QPainter& p)
{
    drawLogger(p, QRectF(12, 26, 44, 70));
    drawBadge(p, QPointF(72, 70), 23, kGreen);
    QPainterPath play;
    play.moveTo(65, 57);
    play.lineTo(65, 83);
    play.lineTo(86, 70);
    play.closeSubpath();
    p.setPen(pen(Qt::white, 2));
    p.setBrush(Qt::white);
    p.drawPath(play);
}

void drawStop(QPainter& p)
{
    drawLogger(p, QRectF(6, 26, 44, 70));
    // An arrow from the logger down into a tray: the readings coming to the PC.
    p.setPen(pen(kBlue, 7));
    p.drawLine(QPointF(72, 18), QPointF(72, 50));
    QPainterPath head;
    head.moveTo(60, 44);
    head.lineTo(84, 44);
    head.lineTo(72, 58);
    head.closeSubpath();
    p.setPen(pen(kBlue, 2));
    p.setBrush(kBlue);
    p.drawPath(head);
    drawBadge(p, QPointF(72, 76), 17, kRed);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(64, 68, 16, 16), 1.5, 1.5);
}

void drawChart(QPainter& p, const QRectF& r)
{
    p.setPen(pen(kBodyEdge, 2));
    p.setBrush(Qt::white);
    p.drawRoundedRect(r, 4, 4);
    const QRectF plot = r.adjusted(r.width() * 0.14, r.height() * 0.14, -r.width() * 0.08, -r.height() * 0.16);
    p.setPen(pen(QColor(0xd5, 0xdc, 0xe4), 1));
    for (int i = 1; i < 4; ++i) {
        const qreal y = plot.top() + plot.height() * i / 4;
        p.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
    }
    p.setPen(pen(kBodyEdge, 2));
    p.drawLine(plot.topLeft(), plot.bottomLeft());
    p.drawLine(plot.bottomLeft(), plot.bottomRight());
    QPen alarm = pen(kRed, 1.6);
    alarm.setDashPattern({3, 2});
    p.setPen(alarm);
    const qreal alarmY = plot.top() + plot.height() * 0.22;
    p.drawLine(QPointF(plot.left(), alarmY), QPointF(plot.right(), alarmY));
    QPainterPath line;
    const int points = 9;
    const qreal ys[points] = {0.70, 0.55, 0.62, 0.38, 0.30, 0.46, 0.26, 0.18, 0.34};
    for (int i = 0; i < points; ++i) {
        const QPointF pt(plot.left() + plot.width() * i / (points - 1), plot.top() + plot.height() * ys[i]);
        i == 0 ? line.moveTo(pt) : line.lineTo(pt);
    }
    p.setPen(pen(kBlue, 2.6));
    p.setBrush(Qt::NoBrush);
    p.drawPath(line);
    QPainterPath humidity;
    humidity.moveTo(plot.left(), plot.top() + plot.height() * 0.85);
    humidity.cubicTo(plot.left() + plot.width() * 0.4, plot.top() + plot.height() * 0.65,
                     plot.left() + plot.width() * 0.6, plot.top() + plot.height() * 0.95, plot.right(),
                     plot.top() + plot.height() * 0.72);
    p.setPen(pen(kGreen, 2));
    p.drawPath(humidity);
}

void drawView(QPainter& p) { drawChart(p, QRectF(8, 16, 84, 68)); }

void drawProgramIcon(QPainter& p)
{
    // The programs' tile with the logger on it.
    paintProgramTile(p);
    drawLogger(p, QRectF(30, 36, 40, 56));
}

void drawThermometer(QPainter& p)
{
    p.setPen(pen(Qt::white, 3));
    p.setBrush(QColor(255, 255, 255, 60));
    p.drawRoundedRect(QRectF(42, 12, 16, 60), 8, 8);
    p.drawEllipse(QPointF(50, 78), 13, 13);
    p.setPen(Qt::NoPen);
    p.setBrush(kRed);
    p.drawEllipse(QPointF(50, 78), 9, 9);
    p.drawRoundedRect(QRectF(46.5, 34, 7, 44), 3.5, 3.5);
    p.setPen(pen(Qt::white, 2));
    for (int i = 0; i < 5; ++i)
        p.drawLine(QPointF(62, 20 + i * 10), QPointF(68, 20 + i * 10));
}

void drawDroplet(QPainter& p)
{
    QPainterPath drop;
    drop.moveTo(50, 12);
    drop.cubicTo(50, 12, 24, 46, 24, 62);
    drop.cubicTo(24, 78, 36, 88, 50, 88);
    drop.cubicTo(64, 88, 76, 78, 76, 62);
    drop.cubicTo(76, 46, 50, 12, 50, 12);
    p.setPen(pen(Qt::white, 3));
    p.setBrush(QColor(0x9c, 0xc7, 0xef, 200));
    p.drawPath(drop);
    p.setPen(pen(Qt::white, 3));
    p.drawArc(QRectF(34, 54, 20, 24), 180 * 16, 70 * 16);
}

void drawBolt(QPainter& p)
{
    QPainterPath bolt;
    bolt.moveTo(56, 10);
    bolt.lineTo(28, 56);
    bolt.lineTo(48, 56);
    bolt.lineTo(42, 90);
    bolt.lineTo(72, 42);
    bolt.lineTo(52, 42);
    bolt.closeSubpath();
    p.setPen(pen(Qt::white, 3));
    p.setBrush(kAmber);
    p.drawPath(bolt);
}

void drawGas(QPainter& p)
{
    p.setPen(pen(Qt::white, 3));
    p.setBrush(QColor(255, 255, 255, 50));
    p.drawEllipse(QPointF(38, 56), 18, 18);
    p.drawEllipse(QPointF(62, 48), 22, 22);
    p.drawEllipse(QPointF(52, 70), 16, 16);
    QFont font(QStringLiteral("Sans Serif"));
    font.setPixelSize(20);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(20, 40, 64, 36), Qt::AlignCenter, QStringLiteral("CO"));
}

void drawClock(QPainter& p)
{
    p.setPen(pen(Qt::white, 4));
    p.setBrush(QColor(255, 255, 255, 50));
    p.drawEllipse(QPointF(50, 50), 34, 34);
    p.setPen(pen(Qt::white, 4));
    p.drawLine(QPointF(50, 50), QPointF(50, 28));
    p.drawLine(QPointF(50, 50), QPointF(66, 58));
    p.setPen(pen(kAmber, 3));
    p.drawArc(QRectF(22, 22, 56, 56), 90 * 16, -120 * 16);
}

void drawShield(QPainter& p)
{
    QPainterPath shield;
    shield.moveTo(50, 10);
    shield.lineTo(80, 22);
    shield.cubicTo(80, 56, 68, 78, 50, 90);
    shield.cubicTo(32, 78, 20, 56, 20, 22);
    shield.closeSubpath();
    p.setPen(pen(Qt::white, 3));
    p.setBrush(QColor(255, 255, 255, 50));
    p.drawPath(shield);
    p.setPen(pen(kGreen.lighter(130), 6));
    p.drawLine(QPointF(36, 50), QPointF(46, 62));
    p.drawLine(QPointF(46, 62), QPointF(66, 38));
}

} // namespace

void paintArtwork(QPainter& painter, const QRectF& rect, Artwork which)
{
    Box box(painter, rect);
    switch (which) {
    case Artwork::ProgramIcon: drawProgramIcon(painter); break;
    case Artwork::SetUpButton: drawSetUp(painter); break;
    case Artwork::StopButton: drawStop(painter); break;
    case Artwork::ViewButton: drawView(painter); break;
    }
}

void paintPanel(QPainter& painter, const QRectF& rect, PanelMotif motif)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(rect.topLeft(), rect.bottomLeft());
    sky.setColorAt(0, kBlue);
    sky.setColorAt(1, kNavy);
    painter.setPen(Qt::NoPen);
    painter.setBrush(sky);
    painter.drawRoundedRect(rect, 6, 6);

    // Faint trace lines across the panel, like a chart in the background.
    painter.setClipRect(rect);
    for (int band = 0; band < 3; ++band) {
        QPainterPath wave;
        const qreal base = rect.top() + rect.height() * (0.70 + band * 0.09);
        wave.moveTo(rect.left(), base);
        for (int i = 1; i <= 4; ++i) {
            const qreal x = rect.left() + rect.width() * i / 4;
            wave.quadTo(x - rect.width() / 8, base + ((i + band) % 2 ? -1 : 1) * rect.height() * 0.05, x, base);
        }
        painter.setPen(pen(QColor(255, 255, 255, 40 + band * 15), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(wave);
    }

    const qreal side = std::min(rect.width() * 0.9, rect.height() * 0.45);
    const QRectF motifRect(rect.center().x() - side / 2, rect.top() + rect.height() * 0.32 - side / 2, side, side);
    {
        Box box(painter, motifRect);
        switch (motif) {
        case PanelMotif::Logger: drawLogger(painter, QRectF(28, 32, 44, 64)); break;
        case PanelMotif::Thermometer: drawThermometer(painter); break;
        case PanelMotif::Humidity: drawDroplet(painter); break;
        case PanelMotif::Voltage: drawBolt(painter); break;
        case PanelMotif::Gas: drawGas(painter); break;
        case PanelMotif::Clock: drawClock(painter); break;
        case PanelMotif::Shield: drawShield(painter); break;
        case PanelMotif::Chart: drawChart(painter, QRectF(6, 20, 88, 64)); break;
        }
    }
    painter.restore();
}

QIcon artworkIcon(Artwork which)
{
    return paintedIcon([which](QPainter& p, const QRect& r) { paintArtwork(p, r, which); }, 0.4);
}

CArtPanel::CArtPanel(PanelMotif motif, QWidget* parent) : QWidget(parent), motif_(motif)
{
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void CArtPanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paintPanel(painter, QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), motif_);
}

} // namespace velmora
