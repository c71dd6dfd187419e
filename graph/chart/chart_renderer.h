#pragma once
// Draws a chart into any QPainter: a widget, an image, a printer or a preview page.
// The body is everything but the footer's text and the marker line; a widget keeps
// the body as an image and draws those two over it as the pointer moves.
class QPainter;

namespace velmora {

class Chart;
struct ChartLayout;

void drawChartBody(QPainter& painter, const Chart& chart, const ChartLayout& layout);
void drawChartFooter(QPainter& painter, const Chart& chart, const ChartLayout& layout);
void drawChartMarker(QPainter& painter, const Chart& chart, const ChartLayout& layout);

} // namespace velmora
