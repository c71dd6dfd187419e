#include "print_page.h"

#include <QPainter>
#include <algorithm>

#include "chart_texts.h"
#include "text_encoding.h"

namespace velmora {

PageMapping pageMapping(int width, int height)
{
    PageMapping m;
    const double w = std::max(1, width);
    const double h = std::max(1, height);
    if (double(kPrintPageWidth) * h < double(kPrintPageHeight) * w) {
        m.scale = h / kPrintPageHeight;
        m.dx = (w - kPrintPageWidth * m.scale) / 2.0;
    } else {
        m.scale = w / kPrintPageWidth;
        m.dy = (h - kPrintPageHeight * m.scale) / 2.0;
    }
    return m;
}

Chart makePrintChart(const Chart& screen, const GraphData& data, bool zoomed)
{
    Chart chart = screen;
    chart.setBounds(QRect(0, 0, kPrintPageWidth, kPrintPageHeight));
    chart.setMarkerX(ChartDataSet::kGap);
    chart.setMarkerShown(false);
    // Several files: the screen's header names them all, and its time base is the
    // earliest start, the first file's readings `shift` seconds after it.
    const double shift = screen.dataSetOffset(0);
    if (screen.dataSetCount() == 2) {
        chart.setHeader({QString::fromStdString(cp1252ToUtf8(data.loggerName))});
        chart.setTimeBase(data.startTime);
    }

    // The ranges the screen shows, fixed; unzoomed, each value axis includes zero.
    for (Axis axis : {Axis::X, Axis::Y, Axis::Y2}) {
        double min = screen.axisMinimum(axis);
        double max = screen.axisMaximum(axis);
        if (!zoomed && axis != Axis::X) {
            min = std::min(min, 0.0);
            max = std::max(max, 0.0);
        }
        chart.setAxisMinimum(axis, min);
        chart.setAxisMaximum(axis, max);
    }
    chart.setFooter({QString::fromStdString(
        cp1252ToUtf8(fromToText(data, chart.axisMinimum(Axis::X) - shift, chart.axisMaximum(Axis::X) - shift)))});
    return chart;
}

void drawPrintPage(QPainter& painter, const QRect& printable, const Chart& chart)
{
    const PageMapping m = pageMapping(printable.width(), printable.height());
    painter.save();
    painter.translate(printable.left() + m.dx, printable.top() + m.dy);
    painter.scale(m.scale, m.scale);
    chart.draw(painter, QRect(0, 0, kPrintPageWidth, kPrintPageHeight));
    painter.restore();
}

} // namespace velmora
