#pragma once
// A long series on a screen of more device pixels than logical ones (a high-density
// laptop at two device pixels a logical one): its envelope is worked out per device
// pixel column, so each device column shows its own readings' lowest and highest
// value and the line is filled as whole device pixels, as at one device pixel a
// logical one. Only where that is exact: the pen must cover a whole number of device
// pixels, or its edges would fall inside pixels and need blending. Plain C++.
#include <cstddef>

#include "column_envelope.h"
#include "envelope_spans.h"
#include "minmax_pyramid.h"
#include "series_trace.h"

namespace velmora {

// `map` (logical pixels) at `scale` device pixels a logical one: the same readings in
// the same places, in device pixels; its columns are every device column the plot's
// logical columns touch.
TraceMapping deviceMapping(const TraceMapping& map, double scale);

// A pen `penWidth` logical pixels wide in device pixels, when that is a whole number
// of at least one; 0 when it is not.
int wholeDeviceWidth(double penWidth, double scale);

// What a long series' fill is made from, kept from series to series of a frame.
struct DeviceEnvelope {
    ColumnGrid grid; // shared by files on the same time grid while it fits
    ColumnEnvelope envelope;
    EnvelopeSpans spans; // the result, in device pixels
};

// The device pixels of `count` readings of one series drawn with a solid pen
// `penWidth` logical pixels wide at `scale` device pixels a logical one, into
// `work.spans`. False, and the series is left to its trace, when that would not be
// exact or the trace would not be condensed: a pen not a whole number of device
// pixels wide, readings not more than two a logical column, one value throughout, or
// a line that joins device columns that are not neighbours (fewer readings than
// device columns).
bool deviceEnvelopeSpans(const double* values, std::size_t count, const MinMaxPyramid& pyramid,
                         const TraceMapping& logical, double scale, double penWidth, DeviceEnvelope& work);

} // namespace velmora
