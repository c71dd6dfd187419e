#pragma once
// The tile both programs' icons stand on: a rounded square shaded from the house blue
// to navy, as the installed SVG icons have it. Drawn in the 100 x 100 units the
// program icons are drawn in; each program puts its own picture on it.
#include <QColor>

class QPainter;

namespace velmora {

inline const QColor kHouseBlue(0x2d, 0x6f, 0xb8);
inline const QColor kHouseNavy(0x1d, 0x3f, 0x6e);

void paintProgramTile(QPainter& painter);

} // namespace velmora
