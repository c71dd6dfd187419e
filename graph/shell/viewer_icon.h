#pragma once
// velmora-graph's own icon, drawn with QPainter at whatever size and pixel density it
// is shown: the programs' tile with a chart on it (a reading trace, a humidity trace
// and an alarm line), as the installed SVG icon has it. The window and the About box
// show it.
#include <QIcon>

namespace velmora {

QIcon viewerIcon();

} // namespace velmora
