#pragma once
// Several download files on one chart: the first bound as one file always is, the
// others laid over it on the shared time axis, each on the value axis its unit goes
// on, in a colour of its own, and every series' legend entry led by its file's title.
// One file is bound exactly as bindChartData binds it.
#include <QString>
#include <vector>

#include "chart.h"
#include "chart_settings.h"
#include "graph_data.h"
#include "time_alignment.h"
#include "unit_axes.h"
#include "zoom_level.h"

namespace velmora {

struct ChartFile {
    const GraphData* data = nullptr; // must outlive the binding
    QString title;                   // the file's name, and its logger's serial number when known
    AxisSide side = AxisSide::Left;  // where its first channel goes
};

// `alignment` places the files (its time base becomes the chart's); the full view
// spans every file.
ZoomLevel bindChartFiles(Chart& chart, const std::vector<ChartFile>& files, const TimeAlignment& alignment,
                         const ChartSwitches& switches);

// The colour of file `file` (0 is the first channel's own red).
QColor fileColour(std::size_t file);

// "hall.txt (SN 12345)": the title a file has in the legend (`serial` in
// Windows-1252, empty when the file has none).
QString chartFileTitle(const QString& fileName, const std::string& serial);

} // namespace velmora
