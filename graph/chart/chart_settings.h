#pragma once
// The viewer's fixed chart appearance, applied to the screen chart and to the print
// chart alike: white background, bold Arial titles, the first channel red with red
// patterned alarm lines, the second blue with blue patterned alarm lines, the third
// trace green, a magenta marker line, grid lines as switched.
#include "chart.h"

namespace velmora {

namespace chart_colours {
inline const QColor kFirstChannel{255, 0, 0};
inline const QColor kSecondChannel{0, 0, 255};
inline const QColor kThirdTrace{0, 255, 0};
inline const QColor kMarker{255, 0, 255};
} // namespace chart_colours

struct ChartSwitches {
    bool markPoints = false; // point markers on the value series and the third trace
    bool gridX = true;
    bool gridY = true; // left and right value axes together
};

void applyChartSettings(Chart& chart, const ChartSwitches& switches);

// Point markers on (diamonds) or off for the series Mark Points switches.
void applyMarkPoints(Chart& chart, bool on);

} // namespace velmora
