#pragma once
// Fills rectangles given in device pixels (column_spans.h) with one opaque colour,
// without antialiasing: their edges lie on pixel edges. Into a plain image (the
// widget's kept picture, the benchmark's frame) at a whole number of device pixels a
// logical one, the spans are written straight into the image's rows: Qt's
// per-rectangle set-up costs more than the few pixels of a column. Anything else goes
// through the painter.
#include <cstddef>

#include "column_spans.h"

class QColor;
class QPainter;

namespace velmora {

// `scale` is the painter's device pixels a logical pixel (rasterScale).
void fillPixelRects(QPainter& painter, const QColor& colour, const PixelRect* rects, std::size_t count, double scale);

} // namespace velmora
