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

} // namespace velmora
