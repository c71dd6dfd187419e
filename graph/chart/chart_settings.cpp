#include "chart_settings.h"

namespace velmora {

namespace {

SeriesStyle line(LinePattern pattern, const QColor& colour)
{
    SeriesStyle s;
    s.pattern = pattern;
    s.lineColour = colour;
    s.lineWidth = 2;
    s.pointStyle = PointStyle::None;
    s.pointColour = colour;
    s.pointSize = 5;
    return s;
}

} // namespace

void applyMarkPoints(Chart& chart, bool on)
{
    const PointStyle style = on ? PointStyle::Diamond : PointStyle::None;
    // The values of every data set and the third traces (data set 1 is the first
    // file's second channel, which has none).
    for (int id = 0; id < chart.dataSetCount(); ++id)
        for (int series : {0, 3}) {
            if (series == 3 && id == 1)
                continue;
            SeriesStyle s = chart.seriesStyleAt(id, series);
            s.pointStyle = style;
            chart.setSeriesStyleAt(id, series, s);
        }
}

void applyChartSettings(Chart& chart, const ChartSwitches& switches)
{
    using namespace chart_colours;
    QFont title(QStringLiteral("Arial"));
    title.setPixelSize(16);
    title.setBold(true);
    QFont label = title;
    label.setPixelSize(12);
    chart.setTitleFont(title);
    chart.setLabelFont(label);
    chart.setBackground(Qt::white);
    chart.setPlotBackground(Qt::white);
    chart.setForeground(Qt::black);
    chart.setLegendShown(true);

    chart.setSeriesStyle(ValueAxis::Y, 0, line(LinePattern::Solid, kFirstChannel));
    chart.setSeriesStyle(ValueAxis::Y, 1, line(LinePattern::LongShortLongDash, kFirstChannel));
    chart.setSeriesStyle(ValueAxis::Y, 2, line(LinePattern::LongDash, kFirstChannel));
    chart.setSeriesStyle(ValueAxis::Y, 3, line(LinePattern::Solid, kThirdTrace));
    chart.setSeriesStyle(ValueAxis::Y2, 0, line(LinePattern::Solid, kSecondChannel));
    chart.setSeriesStyle(ValueAxis::Y2, 1, line(LinePattern::DashDot, kSecondChannel));
    chart.setSeriesStyle(ValueAxis::Y2, 2, line(LinePattern::ShortDash, kSecondChannel));
    chart.setSeriesStyle(ValueAxis::Y2, 3, line(LinePattern::Solid, kThirdTrace));
    applyMarkPoints(chart, switches.markPoints);

    chart.setGridShown(Axis::X, switches.gridX);
    chart.setGridShown(Axis::Y, switches.gridY);
    chart.setGridShown(Axis::Y2, switches.gridY);

    chart.setMarkerX(ChartDataSet::kGap);
    chart.setMarkerShown(true);
    chart.setMarkerStyle({LinePattern::Solid, kMarker, 1});
    chart.setFooter({QStringLiteral(" ")});
}

} // namespace velmora
