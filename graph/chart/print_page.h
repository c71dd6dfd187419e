#pragma once
// The printed chart: a copy of the screen chart laid out on a logical page of
// 1024 × 768, scaled uniformly onto the printer's printable area and centred. Print
// and print preview both draw it.
#include <QRect>

#include "chart.h"
#include "graph_data.h"

class QPainter;

namespace velmora {

inline constexpr int kPrintPageWidth = 1024;
inline constexpr int kPrintPageHeight = 768;

// The logical page's place on a printable area of `width` × `height` device pixels:
// the larger uniform scale that fits, centred along the other direction.
struct PageMapping {
    double scale = 1.0;
    double dx = 0.0;
    double dy = 0.0;
};
PageMapping pageMapping(int width, int height);

// The print chart: the screen chart's settings, data, shown traces and ranges (the
// ranges include zero where the screen is not zoomed), the logger name as header, no
// marker line, and the From/To line of its range as footer.
Chart makePrintChart(const Chart& screen, const GraphData& data, bool zoomed);

// Draws `chart` on a page whose printable area is `printable` (device pixels).
void drawPrintPage(QPainter& painter, const QRect& printable, const Chart& chart);

} // namespace velmora
