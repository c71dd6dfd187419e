#pragma once
// An icon drawn by code at whatever size and device pixel ratio it is asked for, so
// toolbar and button faces stay crisp on high-density screens.
#include <functional>

#include <QIcon>

namespace velmora {

using IconPainter = std::function<void(QPainter&, const QRect&)>;

// Disabled icons are drawn faded to `disabledOpacity`.
QIcon paintedIcon(IconPainter paint, qreal disabledOpacity = 0.4);

} // namespace velmora
