#include "chart_binding.h"

#include <algorithm>

#include "text_encoding.h"

namespace velmora {

namespace {

QString fromFile(const std::string& s) { return QString::fromStdString(cp1252ToUtf8(s)); }

} // namespace

ZoomLevel bindChartData(Chart& c, const GraphData& data, const ChartSwitches& switches)
{
    c.removeAddedDataSets();
    applyChartSettings(c, switches);
    c.setHeader({fromFile(data.loggerName)});
    c.setTimeBase(data.startTime);
    c.setYDecimals(data.channel1.decimals);

    // Each channel on its axis, with limits chosen from the data but always
    // including zero.
    ZoomLevel full;
    full.xMin = 0;
    full.xMax = (static_cast<std::int64_t>(data.readingCount) - 1) * std::max<std::int64_t>(1, data.sampleInterval);
    const struct {
        ValueAxis axis;
        Axis limits;
        const ChannelData& channel;
    } channels[] = {
        {ValueAxis::Y, Axis::Y, data.channel1},
        {ValueAxis::Y2, Axis::Y2, data.channel2},
    };
    for (const auto& ch : channels) {
        c.setDataSet(ch.axis, &ch.channel.data);
        c.setSeriesLabel(ch.axis, 0, fromFile(ch.channel.name));
        c.setSeriesLabel(ch.axis, 1, fromFile(ch.channel.highLabel));
        c.setSeriesLabel(ch.axis, 2, fromFile(ch.channel.lowLabel));
        c.setSeriesLabel(ch.axis, 3, ch.axis == ValueAxis::Y ? fromFile(ch.channel.thirdName) : QString());
        c.setAxisTitle(ch.limits, fromFile(ch.channel.unit));
    }
    return fixValueLimits(c, full);
}

ZoomLevel fixValueLimits(Chart& c, ZoomLevel view)
{
    const struct {
        Axis axis;
        double* min;
        double* max;
    } axes[] = {{Axis::Y, &view.yMin, &view.yMax}, {Axis::Y2, &view.y2Min, &view.y2Max}};
    for (const auto& a : axes) {
        c.setAxisMinimumAutomatic(a.axis);
        c.setAxisMaximumAutomatic(a.axis);
        if (c.axisMinimum(a.axis) > 0.0)
            c.setAxisMinimum(a.axis, 0.0);
        if (c.axisMaximum(a.axis) < 0.0)
            c.setAxisMaximum(a.axis, 0.0);
        *a.min = c.axisMinimum(a.axis);
        *a.max = c.axisMaximum(a.axis);
    }
    return view;
}

} // namespace velmora
