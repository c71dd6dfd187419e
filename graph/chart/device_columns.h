#pragma once
// A long series on a screen of more device pixels than logical ones (a high-density
// laptop at two device pixels a logical one): its envelope is worked out per device
// pixel column, so each device column shows its own readings' lowest and highest
// value and the line is filled as whole device pixels, as at one device pixel a
// logical one. Only where that is exact: the pen must cover a whole number of device
// pixels, or its edges would fall inside pixels and need blending. Plain C++.
#include "series_trace.h"

namespace velmora {

// `map` (logical pixels) at `scale` device pixels a logical one: the same readings in
// the same places, in device pixels; its columns are every device column the plot's
// logical columns touch.
TraceMapping deviceMapping(const TraceMapping& map, double scale);

// A pen `penWidth` logical pixels wide in device pixels, when that is a whole number
// of at least one; 0 when it is not.
int wholeDeviceWidth(double penWidth, double scale);

} // namespace velmora
