#pragma once
// Which help topic the viewer opens for Help Topics and F1: the one for the kind of
// channel on show, first match wins.
#include "graph_data.h"

namespace velmora {

int graphHelpContext(const GraphData& data);

} // namespace velmora
