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

// The spread between the files as one more series (see spread_series.h): on the
// right axis with a title of its own when no file uses that axis, else on the left
// axis beside the first unit it is measured in.
struct ChartSpread {
    const ChartDataSet* data = nullptr; // one series; must outlive the binding
    double offset = 0;                  // X of its first value
    QString label;                      // its legend entry
    QString axisTitle;                  // the right axis' title, when it goes there
};

// `alignment` places the files (its time base becomes the chart's); the full view
// spans every file, and the spread when given.
ZoomLevel bindChartFiles(Chart& chart, const std::vector<ChartFile>& files, const TimeAlignment& alignment,
                         const ChartSwitches& switches, const ChartSpread* spread = nullptr);

// The colour of file `file` (0 is the first channel's own red).
QColor fileColour(std::size_t file);

// "hall.txt (SN 12345)": the title a file has in the legend (`serial` in
// Windows-1252, empty when the file has none).
QString chartFileTitle(const QString& fileName, const std::string& serial);

} // namespace velmora
