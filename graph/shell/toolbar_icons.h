#pragma once
// The viewer's toolbar pictures, drawn with QPainter at whatever size and pixel
// density the toolbar asks for.
#include <QIcon>

namespace velmora {

enum class ToolbarIcon { Open, ZoomIn, ZoomOut, ExportToExcel, Print, About, HelpTopics, CloseGraph };

QIcon toolbarIcon(ToolbarIcon which);

} // namespace velmora
