#pragma once
// A chart showing a document as the viewer binds it: the fixed appearance, the logger
// name as header, the start time as time base, each channel on its own value axis
// with its series labels and its unit as the axis title, and value limits chosen from
// the data but always including zero. The screen chart and the report's chart (which
// has no screen) are bound by this one function.
#include "chart.h"
#include "chart_settings.h"
#include "graph_data.h"
#include "zoom_level.h"

namespace velmora {

// Binds `data` (which must outlive the binding) and returns the full view: X from 0
// to the last reading, Y and Y2 as chosen.
ZoomLevel bindChartData(Chart& chart, const GraphData& data, const ChartSwitches& switches);

// The value axes' limits chosen from the shown series of every data set, each
// widened to include zero, fixed on the chart and returned with `view`'s X range.
ZoomLevel fixValueLimits(Chart& chart, ZoomLevel view);

} // namespace velmora
