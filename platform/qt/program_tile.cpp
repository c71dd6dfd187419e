#include "program_tile.h"

#include <QLinearGradient>
#include <QPainter>

namespace velmora {

void paintProgramTile(QPainter& painter)
{
    QLinearGradient tile(0, 0, 0, 100);
    tile.setColorAt(0, kHouseBlue);
    tile.setColorAt(1, kHouseNavy);
    painter.setPen(Qt::NoPen);
    painter.setBrush(tile);
    painter.drawRoundedRect(QRectF(4, 4, 92, 92), 20, 20);
}

} // namespace velmora
