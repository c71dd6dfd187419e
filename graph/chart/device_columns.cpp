#include "device_columns.h"

#include <cmath>

namespace velmora {

TraceMapping deviceMapping(const TraceMapping& map, double scale)
{
    TraceMapping device;
    device.x0 = map.x0 * scale;
    device.dx = map.dx * scale;
    device.y0 = map.y0 * scale;
    device.dy = map.dy * scale;
    device.left = static_cast<int>(std::floor(map.left * scale));
    device.right = static_cast<int>(std::ceil((map.right + 1) * scale)) - 1;
    return device;
}

int wholeDeviceWidth(double penWidth, double scale)
{
    const double width = penWidth * scale;
    return width >= 1.0 && width == std::floor(width) ? static_cast<int>(width) : 0;
}

bool deviceEnvelopeSpans(const double* values, std::size_t count, const MinMaxPyramid& pyramid,
                         const TraceMapping& logical, double scale, double penWidth, DeviceEnvelope& work)
{
    const int deviceWidth = wholeDeviceWidth(penWidth, scale);
    if (deviceWidth == 0)
        return false;
    // Condensed as the trace would be, by logical columns: the device columns then
    // hold one reading or more each, and where one holds none the line would skip it,
    // which envelopeSpans refuses.
    TraceView logicalView;
    if (!traceView(count, logical, logicalView) || !logicalView.condensed || pyramid.flat())
        return false;
    const TraceMapping map = deviceMapping(logical, scale);
    TraceView view;
    if (!traceView(count, map, view))
        return false;
    if (!work.grid.fits(map, view.first, view.last))
        work.grid.make(map, view.first, view.last);
    columnEnvelope(values, pyramid, work.grid, work.envelope);
    return envelopeSpans(work.envelope, map, deviceWidth, work.spans);
}

} // namespace velmora
